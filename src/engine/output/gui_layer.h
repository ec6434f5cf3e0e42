#pragma once
// Qt's GUI layer for drawing, brought up by the module itself in a program that has none
// (the command line) on the headless platform, with a font configuration of its own.

#include <string>

#include "engine/workbook.h"

namespace tallowmere::engine {

// Makes sure a QGuiApplication exists before workbook is drawn. A program with its own
// (the windows) keeps it and its fonts. Otherwise one is made on the offscreen platform,
// unless QT_QPA_PLATFORM says otherwise, and kept for the rest of the run; before it, when
// the Liberation Sans faces serve the workbook, fontconfig is pointed at a configuration
// that knows only them (see PrivateFontRoot), which saves reading the system's whole
// configuration at every start.
void EnsureGuiLayer(const WorkbookData& workbook);

// Prepares, under the user's cache folder, a fontconfig root whose configuration lists
// only fontFolder, with the system's usual rendering settings and its own font cache.
// Returns the root, or "" when it cannot be made (no cache folder, fontFolder missing).
std::string PrivateFontRoot(const std::string& cacheFolder, const std::string& fontFolder);

}  // namespace tallowmere::engine
