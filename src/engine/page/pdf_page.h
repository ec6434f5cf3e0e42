#pragma once
// The printed page of a sheet as a PDF document.

#include <cstdint>
#include <vector>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// The sheet's print area (its used range when it has none) on one page, laid out as its
// page setup says (paper, orientation, margins, fit to pages or zoom), drawn as the
// picture draws it, on the same canvas: fills and lines as vectors, texts as searchable
// text in embedded fonts. The page holds the whole print area, however large.
// Throws EngineError when the page cannot be made.
std::vector<std::uint8_t> RenderPdfPage(const WorkbookData& workbook, const SheetData& sheet);

}  // namespace tallowmere::engine
