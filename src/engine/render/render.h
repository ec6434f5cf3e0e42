#pragma once
// Draws a range of a sheet as a spreadsheet shows it, into a Windows BMP.

#include <cstdint>
#include <vector>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// The largest picture drawn, in pixels each way; a larger range is cut from the top left.
inline constexpr int kMaxPicturePixels = 16384;

// Renders rect of sheet (formula values evaluated, number formats applied) at 96 dpi.
// Throws EngineError when the picture cannot be made.
std::vector<std::uint8_t> RenderRangeBmp(const WorkbookData& workbook, const SheetData& sheet, const CellRect& rect);

}  // namespace tallowmere::engine
