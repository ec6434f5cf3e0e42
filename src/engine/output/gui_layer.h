#pragma once
// Qt's GUI layer for drawing pages, brought up by the module itself in a program that has
// none (the command line) on the headless platform, with a font configuration of its own.

#include "engine/workbook.h"

namespace tallowmere::engine {

// Makes sure a QGuiApplication exists before workbook is drawn. A program with its own
// (the windows) keeps it and its fonts. Otherwise one is made on the offscreen platform,
// unless QT_QPA_PLATFORM says otherwise, and kept for the rest of the run; before it, when
// the private font configuration serves the workbook (see PrivateFontRootFor), fontconfig
// is pointed at it.
void EnsureGuiLayer(const WorkbookData& workbook);

}  // namespace tallowmere::engine
