#include "engine/render/chart_place.h"

#include <algorithm>
#include <cmath>

#include "engine/formula/formula.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;

double ColumnPoints(const SheetData& sheet, int column) {
  return ColumnWidthPixels(sheet.ColumnWidth(column)) * kPointsPerPixel;
}
double RowPoints(const SheetData& sheet, int row) { return RowHeightPixels(sheet.RowHeight(row)) * kPointsPerPixel; }

int Pixels(double points) { return static_cast<int>(std::lround(points / kPointsPerPixel)); }

}  // namespace

double ColumnLeftPoints(const SheetData& sheet, int column) {
  double x = 0;
  for (int c = 1; c < std::min(column, kMaxColumns + 1); ++c) x += ColumnPoints(sheet, c);
  return x;
}

double RowTopPoints(const SheetData& sheet, int row) {
  double y = 0;
  for (int r = 1; r < std::min(row, kMaxRows + 1); ++r) y += RowPoints(sheet, r);
  return y;
}

CellPoint CellAtPoints(const SheetData& sheet, double x, double y) {
  CellPoint at;
  at.offsetX = std::max(x, 0.0);
  at.offsetY = std::max(y, 0.0);
  for (double width; at.column < kMaxColumns && at.offsetX >= (width = ColumnPoints(sheet, at.column)); ++at.column)
    at.offsetX -= width;
  for (double height; at.row < kMaxRows && at.offsetY >= (height = RowPoints(sheet, at.row)); ++at.row)
    at.offsetY -= height;
  return at;
}

CellRect ChartCells(const SheetData& sheet, const ChartData& chart) {
  // The bottom right corner's own pixel, not the one past it.
  const double right = ColumnLeftPoints(sheet, chart.column) + chart.offsetX + chart.width - kPointsPerPixel;
  const double bottom = RowTopPoints(sheet, chart.row) + chart.offsetY + chart.height - kPointsPerPixel;
  const CellPoint end = CellAtPoints(sheet, right, bottom);
  return {chart.row, chart.column, std::max(end.row, chart.row), std::max(end.column, chart.column)};
}

PixelRect ChartPixels(const SheetData& sheet, const ChartData& chart, int row, int column) {
  const int left = Pixels(ColumnLeftPoints(sheet, chart.column) - ColumnLeftPoints(sheet, column) + chart.offsetX);
  const int top = Pixels(RowTopPoints(sheet, chart.row) - RowTopPoints(sheet, row) + chart.offsetY);
  return {left, top, left + Pixels(chart.width) - 1, top + Pixels(chart.height) - 1};
}

}  // namespace tallowmere::engine
