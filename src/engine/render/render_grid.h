#pragma once
// Where the rows and columns of a range fall in its picture: sheet units converted to
// pixels at 96 dpi the way a spreadsheet converts them, cut at the picture size limit.

#include <vector>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// Column width in characters of the default font (Arial 10, widest digit 7 pixels) to
// pixels: the stored width (characters plus 5 pixels of padding, in 1/256 characters)
// truncated to whole pixels. 8.43 gives 64, 1 gives 12, 0 gives 0.
int ColumnWidthPixels(double characters);
// Row height in points to pixels (96 pixels per 72 points, rounded). 12.75 gives 17.
int RowHeightPixels(double points);

struct PictureGrid {
  CellRect shown;               // the part of the range inside the picture
  std::vector<int> columnLeft;  // x of each shown column, and one past the last
  std::vector<int> rowTop;      // y of each shown row, and one past the last
  int width = 0, height = 0;    // of the picture; at most kMaxPicture each way

  int Left(int column) const { return columnLeft[column - shown.firstColumn]; }
  int Right(int column) const { return columnLeft[column - shown.firstColumn + 1]; }
  int Top(int row) const { return rowTop[row - shown.firstRow]; }
  int Bottom(int row) const { return rowTop[row - shown.firstRow + 1]; }
};

// Lays out rect of sheet; a range larger than maxPixels either way keeps its top left
// part, the last row or column shown cut at the limit.
PictureGrid LayOutGrid(const SheetData& sheet, const CellRect& rect, int maxPixels);

}  // namespace tallowmere::engine
