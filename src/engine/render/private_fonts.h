#pragma once
// A fontconfig configuration of the program's own that knows only the Liberation Sans
// faces: finding a font in it takes a fraction of a millisecond, where reading the
// system's whole configuration at every start of the command line takes many.

#include <string>

#include "engine/core/workbook.h"

using FcConfig = struct _FcConfig;

namespace tallowmere::engine {

// Prepares, under the user's cache folder, a fontconfig root whose configuration lists
// only fontFolder, with the system's usual rendering settings and its own font cache.
// Returns the root, or "" when it cannot be made (no cache folder, fontFolder missing).
std::string PrivateFontRoot(const std::string& cacheFolder, const std::string& fontFolder);

// The private root for drawing workbook: "" when the workbook needs other faces (see
// LiberationSansServes), when the user chose a font configuration of their own through
// FONTCONFIG_FILE or FONTCONFIG_SYSROOT, or when the root cannot be made.
std::string PrivateFontRootFor(const WorkbookData& workbook);

// The fontconfig configuration of the private root for workbook, read once per run and
// kept to its end; null when there is none, which stands for the process's current one
// (the system's).
FcConfig* PrivateFontConfig(const WorkbookData& workbook);

}  // namespace tallowmere::engine
