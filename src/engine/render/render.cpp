#include "engine/render/render.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "engine/calc.h"
#include "engine/engine_error.h"
#include "engine/formula/unicode.h"
#include "engine/number_format.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

constexpr int kDotsPerMeter96Dpi = 3780;
constexpr int kTextPadding = 2;  // pixels between a cell's edge and its text

QString ToQString(const std::string& utf8) { return QString::fromStdU16String(ToUtf16(utf8)); }

class RangePainter {
 public:
  RangePainter(const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid)
      : workbook_(workbook), sheet_(sheet), grid_(grid), calculator_(sheet) {
    // Only merges of several cells that reach into the picture change how it looks; a
    // layout that merges every cell it writes one by one leaves nothing to look up.
    for (const CellRect& merge : sheet.merges) {
      const bool single = merge.firstRow == merge.lastRow && merge.firstColumn == merge.lastColumn;
      const bool shown = merge.lastRow >= grid.shown.firstRow && merge.firstRow <= grid.shown.lastRow &&
                         merge.lastColumn >= grid.shown.firstColumn && merge.firstColumn <= grid.shown.lastColumn;
      if (!single && shown) merges_.push_back(merge);
    }
  }

  // Paints the picture's pixel rows [top, bottom) on painter, whose device holds just
  // those rows. Every cell that can touch them is painted, in the same order as for
  // the whole picture, so each pixel comes out as if the picture were drawn at once.
  void PaintBand(QPainter& painter, int top, int bottom) {
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

 private:
  // The shown rows whose painting can reach pixel rows [top, bottom): a cell draws
  // inside its own rows and on the last pixel row above them, a merged area from the
  // row of its first shown cell. One row more each way costs little and keeps the
  // edges safe.
  std::pair<int, int> RowsTouching(int top, int bottom) const {
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

  const CellRect* MergeAt(int row, int column) const {
    for (const CellRect& m : merges_) {
      if (row >= m.firstRow && row <= m.lastRow && column >= m.firstColumn && column <= m.lastColumn) return &m;
    }
    return nullptr;
  }

  const Style& StyleAt(int row, int column) const { return workbook_.styles.Get(sheet_.EffectiveStyle(row, column)); }

  QColor PaletteColor(int index, QColor automatic) const {
    if (index < 1 || index > static_cast<int>(workbook_.palette.size())) return automatic;
    const std::uint32_t bgr = workbook_.palette[static_cast<std::size_t>(index - 1)];
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  }

  // The pixels of a cell, or of the whole merged area when the cell is its top left;
  // empty for the other cells of a merged area.
  QRect CellArea(int row, int column) const {
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

  void PaintFill(int row, int column) {
    const QRect area = CellArea(row, column);
    if (area.isEmpty()) return;
    const Style& style = StyleAt(row, column);
    if (style.fillColorIndex == kColorNone) return;
    painter_->fillRect(area, PaletteColor(style.fillColorIndex, Qt::white));
  }

  bool InsideOneMerge(int row1, int column1, int row2, int column2) const {
    const CellRect* merge = MergeAt(row1, column1);
    return merge && merge == MergeAt(row2, column2);
  }

  // A line drawn between two cells when either side asks for it; the cell's own colour wins.
  static const BorderSide* Edge(const BorderSide& own, const BorderSide& neighbour) {
    if (own.line) return &own;
    if (neighbour.line) return &neighbour;
    return nullptr;
  }

  void Line(const BorderSide& side, QPoint from, QPoint to) {
    painter_->setPen(QPen(PaletteColor(side.colorIndex, Qt::black), 1));
    painter_->drawLine(from, to);
  }

  // Each cell draws its right and bottom edges on its last pixel column and row, which is
  // where a spreadsheet draws the line between two cells; the first row and column of
  // the picture also draw their top and left edges.
  void PaintBorders(int row, int column) {
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

  bool IsEmptyCell(int row, int column) const {
    const Cell* cell = sheet_.Find(row, column);
    return (!cell || !cell->HasContent()) && !MergeAt(row, column);
  }

  // How far text too wide for its cell may run into empty neighbours: to the right for
  // left-aligned text, to the left for right-aligned text, both ways for centred text.
  QRect OverflowArea(int row, int column, QRect area, int textWidth, HAlign align) {
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

  QFont FontOf(const Style& style) const {
    QFont font;
    // Arial and the other common faces come from their metric-compatible free twins
    // through fontconfig; the explicit fallback keeps the picture the same everywhere.
    font.setFamilies({ToQString(style.font.name), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(style.font.size > 0 ? style.font.size : 10.0);
    font.setBold(style.font.bold);
    font.setItalic(style.font.italic);
    return font;
  }

  void PaintText(int row, int column) {
    const Cell* cell = sheet_.Find(row, column);
    if (!cell || !cell->HasContent()) return;
    QRect area = CellArea(row, column);
    if (area.isEmpty()) return;
    const Style& style = StyleAt(row, column);
    const Value value = cell->formula ? calculator_.ValueAt(row, column) : cell->value;
    QString text = ToQString(FormatForDisplay(value, style.numberFormat));
    if (text.isEmpty()) return;

    const QFont font = FontOf(style);
    painter_->setFont(font);
    const QFontMetrics metrics(font, painter_->device());
    HAlign align = style.horizontal;
    if (align == HAlign::General) {
      align = value.type == Value::Type::Number   ? HAlign::Right
              : value.type == Value::Type::String ? HAlign::Left
                                                  : HAlign::Center;
    }
    const int textWidth = metrics.horizontalAdvance(text);
    const bool isNumber = value.type == Value::Type::Number;
    const bool merged = MergeAt(row, column) != nullptr;
    if (isNumber && textWidth > area.width() - 2 * kTextPadding) {
      // A number never overflows: a spreadsheet shows "#" marks when it does not fit.
      const int hashes = std::max(1, (area.width() - 2 * kTextPadding) / std::max(1, metrics.horizontalAdvance('#')));
      text = QString(hashes, '#');
    } else if (!style.wrap && !merged && textWidth > area.width() - 2 * kTextPadding) {
      area = OverflowArea(row, column, area, textWidth, align);
    }

    int flags = align == HAlign::Right ? Qt::AlignRight : align == HAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= style.vertical == VAlign::Top      ? Qt::AlignTop
             : style.vertical == VAlign::Center ? Qt::AlignVCenter
                                                : Qt::AlignBottom;
    if (style.wrap) flags |= Qt::TextWordWrap;
    const QRect textArea = area.adjusted(kTextPadding, 0, -kTextPadding, -1);
    painter_->save();
    painter_->setClipRect(area);
    painter_->setPen(PaletteColor(style.font.colorIndex, Qt::black));
    painter_->drawText(textArea, flags, text);
    painter_->restore();
  }

  const WorkbookData& workbook_;
  const SheetData& sheet_;
  const PictureGrid& grid_;
  QPainter* painter_ = nullptr;  // the band being painted
  Calculator calculator_;
  std::vector<CellRect> merges_;  // merges of several cells inside the picture
};

// Pixel rows drawn at a time: a band of the widest picture takes a few megabytes, where
// the whole picture at once would take hundreds.
constexpr int kBandRows = 512;

constexpr std::size_t kBmpHeaderSize = 14 + 40;  // file header, then BITMAPINFOHEADER

void PutLe(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An uncompressed 24-bit BMP of width x height, its rows added one by one from the
// bottom up as the format stores them, each padded to four bytes. The bytes are
// reserved at once and written only once: a large picture is hundreds of megabytes.
class Bmp24 {
 public:
  Bmp24(int width, int height) : width_(width), stride_((static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}) {
    const std::size_t pixels = stride_ * static_cast<std::size_t>(height);
    try {
      bytes_.reserve(kBmpHeaderSize + pixels);
    } catch (const std::bad_alloc&) {
      throw EngineError("There is not enough memory for the picture of the range.");
    }
    bytes_.resize(kBmpHeaderSize);
    std::uint8_t* h = bytes_.data();
    h[0] = 'B';
    h[1] = 'M';
    PutLe(h + 2, static_cast<std::uint32_t>(kBmpHeaderSize + pixels), 4);
    PutLe(h + 10, kBmpHeaderSize, 4);  // where the pixels start
    PutLe(h + 14, 40, 4);              // size of the info header
    PutLe(h + 18, static_cast<std::uint32_t>(width), 4);
    PutLe(h + 22, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up rows
    PutLe(h + 26, 1, 2);                                   // planes
    PutLe(h + 28, 24, 2);                                  // bits per pixel
    PutLe(h + 34, static_cast<std::uint32_t>(pixels), 4);
    PutLe(h + 38, kDotsPerMeter96Dpi, 4);
    PutLe(h + 42, kDotsPerMeter96Dpi, 4);
  }

  // Adds the rows of band (ARGB32 without alpha) from its row last - 1 up to row 0.
  void AddRowsUpwards(const QImage& band, int last) {
    for (int y = last - 1; y >= 0; --y) {
      const auto* from = reinterpret_cast<const QRgb*>(band.constScanLine(y));
      const std::size_t at = bytes_.size();
      bytes_.resize(at + stride_);  // within the reserve; the padding comes out zero
      std::uint8_t* to = bytes_.data() + at;
      for (int x = 0; x < width_; ++x, to += 3) {
        to[0] = static_cast<std::uint8_t>(qBlue(from[x]));
        to[1] = static_cast<std::uint8_t>(qGreen(from[x]));
        to[2] = static_cast<std::uint8_t>(qRed(from[x]));
      }
    }
  }

  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  int width_;
  std::size_t stride_;  // bytes per stored row
  std::vector<std::uint8_t> bytes_;
};

// The picture as BMP file bytes, drawn band by band from the bottom straight into them:
// the peak memory is the file plus one band.
std::vector<std::uint8_t> DrawBmp(const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid) {
  const int width = std::max(grid.width, 1), height = std::max(grid.height, 1);
  Bmp24 bmp(width, height);
  QImage band(width, std::min(kBandRows, height), QImage::Format_RGB32);
  if (band.isNull()) throw EngineError("There is not enough memory for the picture of the range.");
  // The resolution sets the size fonts are drawn at: 96 dpi, as the file says.
  band.setDotsPerMeterX(kDotsPerMeter96Dpi);
  band.setDotsPerMeterY(kDotsPerMeter96Dpi);
  RangePainter painter(workbook, sheet, grid);
  for (int bottom = height; bottom > 0; bottom -= band.height()) {
    const int top = std::max(0, bottom - band.height());
    band.fill(Qt::white);
    {
      QPainter bandPainter(&band);
      painter.PaintBand(bandPainter, top, bottom);
    }
    bmp.AddRowsUpwards(band, bottom - top);
  }
  return bmp.Take();
}

}  // namespace

std::vector<std::uint8_t> RenderRangeBmp(const WorkbookData& workbook, const SheetData& sheet, const CellRect& rect) {
  if (!QGuiApplication::instance())
    throw EngineError("A picture cannot be drawn without the application's graphics system.");
  if (rect.firstRow < 1 || rect.firstColumn < 1 || rect.lastRow > kMaxRows || rect.lastColumn > kMaxColumns ||
      rect.firstRow > rect.lastRow || rect.firstColumn > rect.lastColumn) {
    throw EngineError("The range to picture lies outside the sheet.");
  }
  return DrawBmp(workbook, sheet, LayOutGrid(sheet, rect, kMaxPicturePixels));
}

}  // namespace tallowmere::engine
