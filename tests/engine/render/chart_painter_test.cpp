// The chart's value axis and its place on the sheet: steps of 1, 2 or 5 times a power of
// ten that take in every value, and the cells and pixels a chart lying on a sheet covers.
#include "engine/render/chart_painter.h"

#include <gtest/gtest.h>

#include "engine/render/chart_place.h"

namespace tallowmere::engine {
namespace {

TEST(ChartScale, StepsOfOneTwoOrFiveTakeInEveryValue) {
  const struct {
    double smallest, largest;
    ValueScale expected;
  } cases[] = {
      {-2000, 9000, {-5000, 10000, 5000}},  // the month plan with the axis at 0
      {0, 10000, {0, 10000, 2000}},
      {4000, 10000, {4000, 10000, 2000}},
      {-26000, 5000, {-30000, 10000, 10000}},
      {0.1, 0.37, {0.1, 0.4, 0.1}},
      {500, 500, {500, 501, 0.2}},  // one value: a scale of one unit
      {-7, -3, {-7, -3, 1}},
  };
  for (const auto& c : cases) {
    const ValueScale scale = ScaleFor(c.smallest, c.largest);
    EXPECT_NEAR(scale.low, c.expected.low, 1e-9) << c.smallest << " " << c.largest;
    EXPECT_NEAR(scale.high, c.expected.high, 1e-9) << c.smallest << " " << c.largest;
    EXPECT_NEAR(scale.step, c.expected.step, 1e-9) << c.smallest << " " << c.largest;
  }
}

TEST(ChartPlace, ChartsLieOnTheCellsTheirPointsFallIn) {
  SheetData sheet;
  sheet.columnWidths[1] = 1.0;  // 12 pixels, 9 points
  sheet.rowHeights[1] = 30;     // 40 pixels
  EXPECT_DOUBLE_EQ(ColumnLeftPoints(sheet, 2), 9);
  EXPECT_DOUBLE_EQ(RowTopPoints(sheet, 3), 30 + 12.75);
  const CellPoint at = CellAtPoints(sheet, 9 + 50, 30 + 1);
  EXPECT_EQ(at.column, 3);  // column B is 64 pixels, 48 points
  EXPECT_DOUBLE_EQ(at.offsetX, 2);
  EXPECT_EQ(at.row, 2);
  EXPECT_DOUBLE_EQ(at.offsetY, 1);

  ChartData chart;
  chart.row = 2;
  chart.column = 2;
  chart.width = 96;      // two columns of 48 points exactly
  chart.height = 12.75;  // one row
  EXPECT_EQ(ChartCells(sheet, chart), (CellRect{2, 2, 2, 3}));
  chart.offsetX = 1;
  EXPECT_EQ(ChartCells(sheet, chart), (CellRect{2, 2, 2, 4}));
  // In a picture from A1 the chart starts past column A and row 1.
  const PixelRect pixels = ChartPixels(sheet, chart, 1, 1);
  EXPECT_EQ(pixels.left, 12 + 1);  // a point rounds to one pixel
  EXPECT_EQ(pixels.top, 40);
  EXPECT_EQ(pixels.Width(), 128);
  EXPECT_EQ(pixels.Height(), 17);
}

}  // namespace
}  // namespace tallowmere::engine
