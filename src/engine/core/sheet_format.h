#pragma once
// Formatting a range of a sheet: a change of style applied to every cell the range
// covers. Whole-sheet, whole-row and whole-column ranges change the sheet, row and
// column formats (and the cells that exist), never every one of their cells; a
// rectangle gets its cells, each starting from the style it shows now.

#include <functional>
#include <optional>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// Where a cell lies in the range being changed (bit set: the cell is on that edge).
enum RangeEdge : unsigned { kEdgeTop = 1, kEdgeBottom = 2, kEdgeLeft = 4, kEdgeRight = 8 };

// Changes one style; edges tell where the cell lies, for borders.
using StyleChange = std::function<void(Style& style, unsigned edges)>;

void ApplyStyleChange(WorkbookData& workbook, SheetData& sheet, const CellRect& range, const StyleChange& change);

// Removes the cells of the range (contents and formats) and the merges and conditional
// formats inside it.
// Clearing the whole sheet also resets its sheet, row and column formats.
void ClearRange(SheetData& sheet, const CellRect& range);

// Whether the cell at row, column holds content or formatting of its own (a style other
// than its row's, column's or sheet's): the cells a file keeps.
bool HasContentOrOwnFormat(const SheetData& sheet, int row, int column, const Cell& cell);

// The smallest rectangle holding every cell with content or its own formatting; A1
// for a sheet without any.
CellRect UsedRect(const SheetData& sheet);

// The cells of the page setup's print area; none when it has none.
std::optional<CellRect> PrintAreaRect(const SheetData& sheet);

}  // namespace tallowmere::engine
