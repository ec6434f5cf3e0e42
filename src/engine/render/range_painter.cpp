#include "engine/render/range_painter.h"

#include <algorithm>
#include <cstdint>

#include "engine/core/conditional_format.h"
#include "engine/core/number_format.h"
#include "engine/render/chart_painter.h"
#include "engine/render/chart_place.h"

namespace tallowmere::engine {
namespace {

constexpr int kTextPadding = 2;  // pixels between a cell's edge and its text

constexpr Canvas::Rgb kWhite = 0xFFFFFF, kBlack = 0x000000;

// A line drawn between two cells when either side asks for it; the cell's own colour wins.
const BorderSide* Edge(const BorderSide& own, const BorderSide& neighbour) {
  if (own.line) return &own;
  if (neighbour.line) return &neighbour;
  return nullptr;
}

}  // namespace

RangePainter::RangePainter(const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid)
    : workbook_(workbook), sheet_(sheet), grid_(grid), calculator_(sheet) {
  // Only merges of several cells that reach into the picture change how it looks; a
  // layout that merges every cell it writes one by one leaves nothing to look up.
  for (const CellRect& merge : sheet.merges) {
    const bool shown = merge.lastRow >= grid.shown.firstRow && merge.firstRow <= grid.shown.lastRow &&
                       merge.lastColumn >= grid.shown.firstColumn && merge.firstColumn <= grid.shown.lastColumn;
    if (!merge.IsOneCell() && shown) merges_.push_back(merge);
  }
}

void RangePainter::Paint(Canvas& canvas) { Paint(canvas, 0, grid_.height - 1); }

void RangePainter::Paint(Canvas& canvas, int top, int bottom) {
  canvas_ = &canvas;
  fonts_.clear();
  // The rows on those pixels, and the row below them: a cell's lines reach a pixel into
  // the row above it.
  const int firstRow = RowAt(top), lastRow = RowAt(bottom + 1);
  const auto each = [&](auto step) {
    for (int row = firstRow; row <= lastRow; ++row) {
      for (int column = grid_.shown.firstColumn; column <= grid_.shown.lastColumn; ++column) step(row, column);
    }
  };
  // A merged area that reaches into the rows from above is drawn by a cell above them.
  const auto mergesFromAbove = [&](auto step) {
    for (const CellRect& merge : merges_) {
      const int drawingRow = std::max(merge.firstRow, grid_.shown.firstRow);
      if (drawingRow < firstRow && merge.lastRow >= firstRow)
        step(drawingRow, std::max(merge.firstColumn, grid_.shown.firstColumn));
    }
  };
  const auto fill = [this](int row, int column) { PaintFill(row, column); };
  const auto text = [this](int row, int column) { PaintText(row, column); };
  mergesFromAbove(fill);
  each(fill);
  each([this](int row, int column) { PaintBorders(row, column); });
  mergesFromAbove(text);
  each(text);
  PaintCharts(top, bottom);
  canvas_ = nullptr;
}

// The charts lying on the pixel rows top to bottom, over the cells.
void RangePainter::PaintCharts(int top, int bottom) {
  for (const ChartData& chart : sheet_.charts) {
    const PixelRect area = ChartPixels(sheet_, chart, grid_.shown.firstRow, grid_.shown.firstColumn);
    if (area.bottom >= top && area.top <= bottom && area.left < grid_.width)
      PaintChart(*canvas_, workbook_, sheet_, calculator_, chart, area);
  }
}

// The shown row on pixel row y; the first or last row for pixels above or below them.
int RangePainter::RowAt(int y) const {
  const auto after = std::upper_bound(grid_.rowTop.begin(), grid_.rowTop.end() - 1, y);
  return grid_.shown.firstRow + std::max(0, static_cast<int>(after - grid_.rowTop.begin()) - 1);
}

const CellRect* RangePainter::MergeAt(int row, int column) const {
  for (const CellRect& m : merges_) {
    if (row >= m.firstRow && row <= m.lastRow && column >= m.firstColumn && column <= m.lastColumn) return &m;
  }
  return nullptr;
}

const Style& RangePainter::StyleAt(int row, int column) const {
  return workbook_.styles.Get(sheet_.EffectiveStyle(row, column));
}

Canvas::Rgb RangePainter::PaletteColor(int index, Canvas::Rgb automatic) const {
  const std::optional<std::uint32_t> rgb = workbook_.PaletteRgb(index);
  return rgb ? *rgb & 0xFFFFFF : automatic;
}

// The pixels of a cell, or of the whole merged area when the cell is its top left;
// empty for the other cells of a merged area.
PixelRect RangePainter::CellArea(int row, int column) const {
  CellRect area{row, column, row, column};
  if (const CellRect* merge = MergeAt(row, column)) {
    // The merged area is drawn by its top-left cell, or by the first cell the picture
    // shows when the range cuts the merge.
    const int drawingRow = std::max(merge->firstRow, grid_.shown.firstRow);
    const int drawingColumn = std::max(merge->firstColumn, grid_.shown.firstColumn);
    if (row != drawingRow || column != drawingColumn) return {};
    area = *merge;
  }
  area.firstRow = std::max(area.firstRow, grid_.shown.firstRow);
  area.firstColumn = std::max(area.firstColumn, grid_.shown.firstColumn);
  area.lastRow = std::min(area.lastRow, grid_.shown.lastRow);
  area.lastColumn = std::min(area.lastColumn, grid_.shown.lastColumn);
  return {grid_.Left(area.firstColumn), grid_.Top(area.firstRow), grid_.Right(area.lastColumn) - 1,
          grid_.Bottom(area.lastRow) - 1};
}

void RangePainter::PaintFill(int row, int column) {
  const PixelRect area = CellArea(row, column);
  if (area.IsEmpty()) return;
  if (const FormatConditionData* condition = ConditionAt(row, column); condition && condition->fillRgb) {
    canvas_->FillRect(area, *condition->fillRgb);
    return;
  }
  const Style& style = StyleAt(row, column);
  if (style.fillColorIndex == kColorNone) return;
  const Canvas::Rgb color = PaletteColor(style.fillColorIndex, kWhite);
  // The picture and the page start white, and most cells of a sheet are filled white:
  // painting them would change nothing but the size of a page.
  if (color == kWhite) return;
  canvas_->FillRect(area, color);
}

bool RangePainter::InsideOneMerge(int row1, int column1, int row2, int column2) const {
  const CellRect* merge = MergeAt(row1, column1);
  return merge && merge == MergeAt(row2, column2);
}

void RangePainter::Line(const BorderSide& side, int x1, int y1, int x2, int y2) {
  canvas_->Line(x1, y1, x2, y2, PaletteColor(side.colorIndex, kBlack));
}

// Each cell draws its right and bottom edges on its last pixel column and row, which is
// where a spreadsheet draws the line between two cells; the first row and column of
// the picture also draw their top and left edges.
void RangePainter::PaintBorders(int row, int column) {
  const Style& style = StyleAt(row, column);
  const int left = grid_.Left(column), right = grid_.Right(column) - 1;
  const int top = grid_.Top(row), bottom = grid_.Bottom(row) - 1;
  if (right < left || bottom < top) return;
  const int lineTop = row == grid_.shown.firstRow ? top : top - 1;
  const int lineLeft = column == grid_.shown.firstColumn ? left : left - 1;
  if (!InsideOneMerge(row, column, row, column + 1)) {
    if (const BorderSide* side = Edge(style.right, StyleAt(row, column + 1).left)) {
      Line(*side, right, lineTop, right, bottom);
    }
  }
  if (!InsideOneMerge(row, column, row + 1, column)) {
    if (const BorderSide* side = Edge(style.bottom, StyleAt(row + 1, column).top)) {
      Line(*side, lineLeft, bottom, right, bottom);
    }
  }
  if (column == grid_.shown.firstColumn && style.left.line) Line(style.left, left, lineTop, left, bottom);
  if (row == grid_.shown.firstRow && style.top.line) Line(style.top, lineLeft, top, right, top);
}

bool RangePainter::IsEmptyCell(int row, int column) const {
  const Cell* cell = sheet_.Find(row, column);
  return (!cell || !cell->HasContent()) && !MergeAt(row, column);
}

// How far text too wide for its cell may run into empty neighbours: to the right for
// left-aligned text, to the left for right-aligned text, both ways for centred text.
PixelRect RangePainter::OverflowArea(int row, int column, PixelRect area, int textWidth, HAlign align) {
  int first = column, last = column;
  const auto wide = [&] { return grid_.Right(last) - grid_.Left(first) - 2 * kTextPadding < textWidth; };
  const bool right = align != HAlign::Right, left = align == HAlign::Right || align == HAlign::Center;
  while (wide()) {
    const bool growRight = right && last < grid_.shown.lastColumn && IsEmptyCell(row, last + 1);
    const bool growLeft = left && first > grid_.shown.firstColumn && IsEmptyCell(row, first - 1);
    if (!growRight && !growLeft) break;
    if (growRight) ++last;
    if (growLeft) --first;
  }
  return {grid_.Left(first), area.top, grid_.Right(last) - 1, area.bottom};
}

RangePainter::TextFont& RangePainter::FontOf(const Style& style) {
  const double size = style.font.size > 0 ? style.font.size : 10.0;
  const auto key = std::make_tuple(style.font.name, size, style.font.bold, style.font.italic);
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  const int handle = canvas_->Font({style.font.name, size, style.font.bold, style.font.italic});
  return fonts_.emplace(key, TextFont{handle, {}}).first->second;
}

int RangePainter::WidthIn(TextFont& font, const std::string& text) {
  const auto found = font.widths.find(text);
  if (found != font.widths.end()) return found->second;
  const int width = canvas_->TextWidth(font.handle, text);
  font.widths.emplace(text, width);
  return width;
}

const FormatConditionData* RangePainter::ConditionAt(int row, int column) {
  if (sheet_.conditionalFormats.empty()) return nullptr;
  const Cell* cell = sheet_.Find(row, column);
  const Value value = !cell ? Value{} : cell->formula ? calculator_.ValueAt(row, column) : cell->value;
  return MatchingCondition(sheet_, row, column, value);
}

void RangePainter::PaintText(int row, int column) {
  const Cell* cell = sheet_.Find(row, column);
  if (!cell || !cell->HasContent()) return;
  PixelRect area = CellArea(row, column);
  if (area.IsEmpty()) return;
  const Style& style = StyleAt(row, column);
  const Value value = cell->formula ? calculator_.ValueAt(row, column) : cell->value;
  std::string text = FormatForDisplay(value, style.numberFormat);
  if (text.empty()) return;

  TextFont& font = FontOf(style);
  HAlign align = style.horizontal;
  if (align == HAlign::General) {
    align = value.type == Value::Type::Number   ? HAlign::Right
            : value.type == Value::Type::String ? HAlign::Left
                                                : HAlign::Center;
  }
  int textWidth = WidthIn(font, text);
  const bool isNumber = value.type == Value::Type::Number;
  const bool merged = MergeAt(row, column) != nullptr;
  if (isNumber && textWidth > area.Width() - 2 * kTextPadding) {
    // A number never overflows: a spreadsheet shows "#" marks when it does not fit.
    const int hashes = std::max(1, (area.Width() - 2 * kTextPadding) / std::max(1, WidthIn(font, "#")));
    text.assign(static_cast<std::size_t>(hashes), '#');
    textWidth = WidthIn(font, text);
  } else if (!style.wrap && !merged && textWidth > area.Width() - 2 * kTextPadding) {
    area = OverflowArea(row, column, area, textWidth, align);
  }

  TextPlacement placement;
  placement.horizontal = align == HAlign::Right    ? TextPlacement::Horizontal::Right
                         : align == HAlign::Center ? TextPlacement::Horizontal::Center
                                                   : TextPlacement::Horizontal::Left;
  placement.vertical = style.vertical == VAlign::Top      ? TextPlacement::Vertical::Top
                       : style.vertical == VAlign::Center ? TextPlacement::Vertical::Center
                                                          : TextPlacement::Vertical::Bottom;
  placement.wrap = style.wrap;
  const PixelRect textArea = area.Adjusted(kTextPadding, 0, -kTextPadding, -1);
  const FormatConditionData* condition = ConditionAt(row, column);
  const Canvas::Rgb colour =
      condition && condition->fontRgb ? *condition->fontRgb : PaletteColor(style.font.colorIndex, kBlack);
  // Only text that does not fit its area needs the clip: a clip for every cell would make
  // most of a page.
  const bool fits =
      !style.wrap && textWidth <= textArea.Width() && canvas_->LineHeight(font.handle) <= textArea.Height();
  canvas_->Text(font.handle, textArea, fits ? std::nullopt : std::optional<PixelRect>(area), placement, text, colour);
}

}  // namespace tallowmere::engine
