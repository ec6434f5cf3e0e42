#pragma once
// The printed page of a sheet as a PDF document.

#include <cstdint>
#include <vector>

#include "engine/workbook.h"

namespace tallowmere::engine {

// The sheet's print area (its used range when it has none) on one page, laid out as its
// page setup says (paper, orientation, margins, fit to pages or zoom), drawn as the
// picture draws it: fills and lines as vectors, texts as text in embedded fonts. A print
// area larger than the picture's size limit is cut from the top left as the picture is.
// Needs a QGuiApplication. Throws EngineError when the page cannot be made.
std::vector<std::uint8_t> RenderPdfPage(const WorkbookData& workbook, const SheetData& sheet);

}  // namespace tallowmere::engine
