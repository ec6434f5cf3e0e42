#pragma once
// Whether a workbook can be drawn with the Liberation Sans faces alone: the private font
// configuration of the command line knows only those, so a sheet that needs another face
// or a script they do not cover is drawn with the system's whole configuration instead.

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// True when every style asks for Arial or Liberation Sans (which stands in for it) and
// every text a cell can show (its value, its formula's text literals, its number format)
// lies in the scripts the faces cover: Latin, Greek, Cyrillic, and the common
// punctuation and currency signs.
bool LiberationSansServes(const WorkbookData& workbook);

}  // namespace tallowmere::engine
