#include "engine/render/render_grid.h"

#include <algorithm>
#include <cmath>

namespace tallowmere::engine {
namespace {

constexpr double kDigitWidth = 7.0;  // widest digit of Arial 10 at 96 dpi, in pixels
constexpr double kPadding = 5.0;     // pixels a column adds around its characters

// Positions of consecutive extents from 0, stopping at the first that reaches limit;
// returns the index of the last extent included.
template <typename Extent>
int Accumulate(int first, int last, int limit, std::vector<int>& starts, Extent extent) {
  starts.assign(1, 0);
  int index = first;
  for (; index <= last; ++index) {
    const int end = starts.back() + extent(index);
    starts.push_back(std::min(end, limit));
    if (end >= limit) break;
  }
  return std::min(index, last);
}

}  // namespace

int ColumnWidthPixels(double characters) {
  if (!(characters > 0)) return 0;
  if (characters < 1.0) return static_cast<int>(std::lround(characters * (kDigitWidth + kPadding)));
  const double stored = std::trunc((characters * kDigitWidth + kPadding) / kDigitWidth * 256.0);
  return static_cast<int>(std::trunc((stored + std::trunc(128.0 / kDigitWidth)) / 256.0 * kDigitWidth));
}

int RowHeightPixels(double points) {
  if (!(points > 0)) return 0;
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

PictureGrid LayOutGrid(const SheetData& sheet, const CellRect& rect, int maxPixels) {
  PictureGrid grid;
  grid.shown = rect;
  grid.shown.lastColumn = Accumulate(rect.firstColumn, rect.lastColumn, maxPixels, grid.columnLeft,
                                     [&](int column) { return ColumnWidthPixels(sheet.ColumnWidth(column)); });
  grid.shown.lastRow = Accumulate(rect.firstRow, rect.lastRow, maxPixels, grid.rowTop,
                                  [&](int row) { return RowHeightPixels(sheet.RowHeight(row)); });
  grid.width = grid.columnLeft.back();
  grid.height = grid.rowTop.back();
  return grid;
}

}  // namespace tallowmere::engine
