#pragma once
// Draws a sheet's line chart on a canvas as a spreadsheet shows it: a frame, the title,
// the value axis with its gridlines and labels, the category axis crossing at its value
// and the categories below, and each series as a line through its evaluated cells.

#include "engine/core/calc.h"
#include "engine/core/workbook.h"
#include "engine/render/canvas.h"

namespace tallowmere::engine {

// The value axis: from low to high in steps of 1, 2 or 5 times a power of ten, about five
// of them, low and high whole steps that take in every value.
struct ValueScale {
  double low = 0, high = 1, step = 1;
  bool operator==(const ValueScale&) const = default;
};
ValueScale ScaleFor(double smallest, double largest);

// Paints chart of sheet into area (pixels of the canvas), the values from calculator.
void PaintChart(Canvas& canvas, const WorkbookData& workbook, const SheetData& sheet, Calculator& calculator,
                const ChartData& chart, const PixelRect& area);

}  // namespace tallowmere::engine
