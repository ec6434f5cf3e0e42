#pragma once
// Where charts lie on a sheet: points of its columns and rows as the picture draws them
// (whole pixels at 96 dpi), the cell a point lies in, and a chart's cells and pixels.

#include "engine/core/workbook.h"
#include "engine/render/canvas.h"

namespace tallowmere::engine {

// Points from the sheet's top left corner to the left edge of column, the top edge of row.
double ColumnLeftPoints(const SheetData& sheet, int column);
double RowTopPoints(const SheetData& sheet, int row);

struct CellPoint {
  int row = 1, column = 1;
  double offsetX = 0, offsetY = 0;  // points from the cell's top left corner
};
// The cell the point (x, y) (points from the sheet's top left corner) lies in; a point
// past the last row or column lies in it.
CellPoint CellAtPoints(const SheetData& sheet, double x, double y);

// The cells a chart covers.
CellRect ChartCells(const SheetData& sheet, const ChartData& chart);
// The chart's pixels in a picture whose top left corner is that of cell (row, column).
PixelRect ChartPixels(const SheetData& sheet, const ChartData& chart, int row, int column);

}  // namespace tallowmere::engine
