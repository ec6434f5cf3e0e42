#include "engine/render/range_painter.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdint>

#include "engine/formula/unicode.h"
#include "engine/number_format.h"

namespace tallowmere::engine {
namespace {

constexpr int kTextPadding = 2;  // pixels between a cell's edge and its text

QString ToQString(const std::string& utf8) { return QString::fromStdU16String(ToUtf16(utf8)); }

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

void RangePainter::PaintBand(QPainter& painter, int top, int bottom) {
  painter_ = &painter;
  painter.translate(0, -top);
  const auto [firstRow, lastRow] = RowsTouching(top, bottom);
  // Copied into the lambda: clang before 16 cannot capture structured bindings.
  const auto each = [&, first = firstRow, last = lastRow](auto step) {
    for (int row = first; row <= last; ++row) {
      for (int column = grid_.shown.firstColumn; column <= grid_.shown.lastColumn; ++column) step(row, column);
    }
  };
  each([this](int row, int column) { PaintFill(row, column); });
  each([this](int row, int column) { PaintBorders(row, column); });
  each([this](int row, int column) { PaintText(row, column); });
  painter_ = nullptr;
}

// The shown rows whose painting can reach pixel rows [top, bottom): a cell draws
// inside its own rows and on the last pixel row above them, a merged area from the
// row of its first shown cell. One row more each way costs little and keeps the
// edges safe.
std::pair<int, int> RangePainter::RowsTouching(int top, int bottom) const {
  const auto& tops = grid_.rowTop;  // one entry per shown row, then the bottom edge
  const int count = static_cast<int>(tops.size()) - 1;
  const int firstBelow = static_cast<int>(std::upper_bound(tops.begin() + 1, tops.end(), top) - tops.begin()) - 1;
  const int lastAbove = static_cast<int>(std::upper_bound(tops.begin(), tops.end() - 1, bottom) - tops.begin()) - 1;
  int first = grid_.shown.firstRow + std::max(0, firstBelow - 1);
  const int last = grid_.shown.firstRow + std::min(count - 1, lastAbove + 1);
  for (const CellRect& merge : merges_) {
    if (merge.lastRow >= first && merge.firstRow <= last) {
      first = std::min(first, std::max(merge.firstRow, grid_.shown.firstRow));
    }
  }
  return {first, last};
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

QColor RangePainter::PaletteColor(int index, QColor automatic) const {
  const std::optional<std::uint32_t> rgb = workbook_.PaletteRgb(index);
  return rgb ? QColor(static_cast<QRgb>(*rgb)) : automatic;
}

// The pixels of a cell, or of the whole merged area when the cell is its top left;
// empty for the other cells of a merged area.
QRect RangePainter::CellArea(int row, int column) const {
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
  return QRect(QPoint(grid_.Left(area.firstColumn), grid_.Top(area.firstRow)),
               QPoint(grid_.Right(area.lastColumn) - 1, grid_.Bottom(area.lastRow) - 1));
}

void RangePainter::PaintFill(int row, int column) {
  const QRect area = CellArea(row, column);
  if (area.isEmpty()) return;
  const Style& style = StyleAt(row, column);
  if (style.fillColorIndex == kColorNone) return;
  const QColor color = PaletteColor(style.fillColorIndex, Qt::white);
  // The picture and the page start white, and most cells of a sheet are filled white:
  // painting them would change nothing but the size of a page.
  if (color == QColor(Qt::white)) return;
  painter_->fillRect(area, color);
}

bool RangePainter::InsideOneMerge(int row1, int column1, int row2, int column2) const {
  const CellRect* merge = MergeAt(row1, column1);
  return merge && merge == MergeAt(row2, column2);
}

void RangePainter::Line(const BorderSide& side, QPoint from, QPoint to) {
  painter_->setPen(QPen(PaletteColor(side.colorIndex, Qt::black), 1));
  // Through the middle of the pixels it covers: the same pixels in the picture, and on a
  // page the line lies on them rather than half a pixel up and to the left.
  const QPointF centre(0.5, 0.5);
  painter_->drawLine(QPointF(from) + centre, QPointF(to) + centre);
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
      Line(*side, {right, lineTop}, {right, bottom});
    }
  }
  if (!InsideOneMerge(row, column, row + 1, column)) {
    if (const BorderSide* side = Edge(style.bottom, StyleAt(row + 1, column).top)) {
      Line(*side, {lineLeft, bottom}, {right, bottom});
    }
  }
  if (column == grid_.shown.firstColumn && style.left.line) Line(style.left, {left, lineTop}, {left, bottom});
  if (row == grid_.shown.firstRow && style.top.line) Line(style.top, {lineLeft, top}, {right, top});
}

bool RangePainter::IsEmptyCell(int row, int column) const {
  const Cell* cell = sheet_.Find(row, column);
  return (!cell || !cell->HasContent()) && !MergeAt(row, column);
}

// How far text too wide for its cell may run into empty neighbours: to the right for
// left-aligned text, to the left for right-aligned text, both ways for centred text.
QRect RangePainter::OverflowArea(int row, int column, QRect area, int textWidth, HAlign align) {
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
  return QRect(QPoint(grid_.Left(first), area.top()), QPoint(grid_.Right(last) - 1, area.bottom()));
}

RangePainter::TextFont& RangePainter::FontOf(const Style& style) {
  const double size = style.font.size > 0 ? style.font.size : 10.0;
  const auto key = std::make_tuple(style.font.name, size, style.font.bold, style.font.italic);
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  QFont font;
  // Arial and the other common faces come from their metric-compatible free twins
  // through fontconfig; the explicit fallback keeps the picture the same everywhere.
  font.setFamilies({ToQString(style.font.name), QStringLiteral("Liberation Sans")});
  font.setPointSizeF(size);
  font.setBold(style.font.bold);
  font.setItalic(style.font.italic);
  const QFontMetrics metrics(font, painter_->device());
  return fonts_.emplace(key, TextFont{font, metrics, {}}).first->second;
}

int RangePainter::WidthIn(TextFont& font, const QString& text) {
  const auto found = font.widths.constFind(text);
  if (found != font.widths.constEnd()) return *found;
  const int width = font.metrics.horizontalAdvance(text);
  font.widths.insert(text, width);
  return width;
}

void RangePainter::PaintText(int row, int column) {
  const Cell* cell = sheet_.Find(row, column);
  if (!cell || !cell->HasContent()) return;
  QRect area = CellArea(row, column);
  if (area.isEmpty()) return;
  const Style& style = StyleAt(row, column);
  const Value value = cell->formula ? calculator_.ValueAt(row, column) : cell->value;
  QString text = ToQString(FormatForDisplay(value, style.numberFormat));
  if (text.isEmpty()) return;

  TextFont& font = FontOf(style);
  painter_->setFont(font.font);
  const QFontMetrics& metrics = font.metrics;
  HAlign align = style.horizontal;
  if (align == HAlign::General) {
    align = value.type == Value::Type::Number   ? HAlign::Right
            : value.type == Value::Type::String ? HAlign::Left
                                                : HAlign::Center;
  }
  int textWidth = WidthIn(font, text);
  const bool isNumber = value.type == Value::Type::Number;
  const bool merged = MergeAt(row, column) != nullptr;
  if (isNumber && textWidth > area.width() - 2 * kTextPadding) {
    // A number never overflows: a spreadsheet shows "#" marks when it does not fit.
    const int hashes = std::max(1, (area.width() - 2 * kTextPadding) / std::max(1, metrics.horizontalAdvance('#')));
    text = QString(hashes, '#');
    textWidth = WidthIn(font, text);
  } else if (!style.wrap && !merged && textWidth > area.width() - 2 * kTextPadding) {
    area = OverflowArea(row, column, area, textWidth, align);
  }

  int flags = align == HAlign::Right ? Qt::AlignRight : align == HAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft;
  flags |= style.vertical == VAlign::Top      ? Qt::AlignTop
           : style.vertical == VAlign::Center ? Qt::AlignVCenter
                                              : Qt::AlignBottom;
  if (style.wrap) flags |= Qt::TextWordWrap;
  const QRect textArea = area.adjusted(kTextPadding, 0, -kTextPadding, -1);
  painter_->setPen(PaletteColor(style.font.colorIndex, Qt::black));
  // Only text that does not fit its area needs the clip: a clip for every cell would make
  // most of a page.
  const bool fits = !style.wrap && textWidth <= textArea.width() && metrics.height() <= textArea.height();
  if (fits) return painter_->drawText(textArea, flags, text);
  painter_->save();
  painter_->setClipRect(area, Qt::IntersectClip);  // within any clip of the whole page
  painter_->drawText(textArea, flags, text);
  painter_->restore();
}

}  // namespace tallowmere::engine
