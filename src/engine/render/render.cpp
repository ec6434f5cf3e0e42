#include "engine/render/render.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "engine/engine_error.h"
#include "engine/render/range_painter.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

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
