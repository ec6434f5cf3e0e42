#include "engine/render/render.h"

#include <cairo.h>
#include <malloc.h>
#include <sys/mman.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "engine/core/engine_error.h"
#include "engine/render/cairo_canvas.h"
#include "engine/render/font_faces.h"
#include "engine/render/private_fonts.h"
#include "engine/render/range_painter.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

constexpr std::size_t kBmpHeaderSize = 14 + 40;  // file header, then BITMAPINFOHEADER

void PutLe(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Memory for pictures of megabytes comes in the system's huge pages where it allows them:
// far fewer page faults as the white is first written.
void AskForHugePages(std::uint8_t* data, std::size_t size) {
  const auto start = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

std::size_t Stride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

// An uncompressed 24-bit BMP of width x height, all white, its rows bottom up and each
// padded with zeros to four bytes. Written once where it is made: a large picture is
// hundreds of megabytes.
std::vector<std::uint8_t> WhiteBmp(int width, int height) {
  const std::size_t stride = Stride(width), pixels = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> bytes;
#ifdef __GLIBC__
  // The memory freed so far (a workbook laid out and saved before its picture is taken)
  // goes back to the system first: the allocator keeps freed pages in the middle of its
  // heap otherwise, and they would add megabytes to the largest pictures' peak.
  if (pixels >= kHugePage) ::malloc_trim(0);
#endif
  try {
    // Room for the whole of the last huge page the picture reaches into.
    bytes.reserve(kBmpHeaderSize + pixels + (pixels >= kHugePage ? kHugePage : 0));
    AskForHugePages(bytes.data(), bytes.capacity());
    bytes.assign(kBmpHeaderSize + pixels, 0xFF);
  } catch (const std::bad_alloc&) {
    throw EngineError("There is not enough memory for the picture of the range.");
  }
  std::uint8_t* h = bytes.data();
  std::memset(h, 0, kBmpHeaderSize);
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
  const std::size_t padding = stride - static_cast<std::size_t>(width) * 3;
  for (std::size_t row = 1; padding && row <= static_cast<std::size_t>(height); ++row)
    std::memset(h + kBmpHeaderSize + row * stride - padding, 0, padding);
  return bytes;
}

// Bands of the picture are drawn one after the other on one image surface of about this
// many bytes, and copied into the BMP: a picture of hundreds of megabytes then needs little
// more memory than its BMP.
constexpr std::size_t kBandBytes = std::size_t{1} << 20;
// Bands of a very wide picture are at least this many pixel rows: each band paints the
// sheet rows it touches whole, and thinner bands would paint most rows twice.
constexpr int kMinBandRows = 64;

// An image surface of width by height pixels; throws EngineError when there is none.
cairo_surface_t* BandSurface(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_destroy(surface);
  throw EngineError("There is not enough memory for the picture of the range.");
}

// Packs four pixels of cairo's (blue, green, red and a spare byte each, as 32-bit words on
// this little-endian machine) into the BMP's twelve bytes.
void PackFour(const unsigned char* from, std::uint8_t* to) {
  std::uint32_t p[4];
  std::memcpy(p, from, sizeof p);
  // Two stores of whole registers: words assembled in memory first would be read back
  // before the processor has them.
  const std::uint64_t first =
      (p[0] & 0xFFFFFF) | std::uint64_t{p[1] & 0xFFFFFF} << 24 | std::uint64_t{p[2] & 0xFFFF} << 48;
  const std::uint32_t rest = (p[2] >> 16 & 0xFF) | (p[3] & 0xFFFFFF) << 8;
  std::memcpy(to, &first, sizeof first);
  std::memcpy(to + sizeof first, &rest, sizeof rest);
}

// Copies one row of width pixels from cairo's words into the BMP's bytes.
void PackRow(const unsigned char* from, std::uint8_t* to, int width) {
  int x = 0;
  for (; x + 4 <= width; x += 4, from += 16, to += 12) PackFour(from, to);
  for (; x < width; ++x, from += 4, to += 3) std::memcpy(to, from, 3);
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same with one byte shuffle for four pixels, on processors that have it (nearly all
// since 2006): a picture's pixels pass through here once, a large one's hundreds of
// megabytes.
__attribute__((target("ssse3"))) void PackRowShuffled(const unsigned char* from, std::uint8_t* to, int width) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int x = 0;
  for (; x + 4 <= width; x += 4, from += 16, to += 12) {
    const __m128i packed = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)), order);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(to), packed);
    const std::uint32_t rest = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(packed, 8)));
    std::memcpy(to + 8, &rest, sizeof rest);
  }
  PackRow(from, to, width - x);
}

using RowPacker = void (*)(const unsigned char*, std::uint8_t*, int);
RowPacker ChooseRowPacker() { return __builtin_cpu_supports("ssse3") ? PackRowShuffled : PackRow; }
#else
using RowPacker = void (*)(const unsigned char*, std::uint8_t*, int);
RowPacker ChooseRowPacker() { return PackRow; }
#endif

// Copies rows of the band (cairo's: top down) into the BMP's pixels (bottom up, blue, green,
// red), from the picture's row top on.
void CopyBand(cairo_surface_t* band, int rows, int top, std::uint8_t* bmpPixels, int width, int height) {
  static const RowPacker packRow = ChooseRowPacker();
  cairo_surface_flush(band);
  const unsigned char* data = cairo_image_surface_get_data(band);
  const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(band));
  // The band's last row first: the BMP's rows then follow each other upwards in memory.
  for (int y = rows - 1; y >= 0; --y) {
    packRow(data + static_cast<std::size_t>(y) * stride,
            bmpPixels + static_cast<std::size_t>(height - 1 - top - y) * Stride(width), width);
  }
}

}  // namespace

std::vector<std::uint8_t> RenderRangeBmp(const WorkbookData& workbook, const SheetData& sheet, const CellRect& rect) {
  if (rect.firstRow < 1 || rect.firstColumn < 1 || rect.lastRow > kMaxRows || rect.lastColumn > kMaxColumns ||
      rect.firstRow > rect.lastRow || rect.firstColumn > rect.lastColumn) {
    throw EngineError("The range to picture lies outside the sheet.");
  }
  const PictureGrid grid = LayOutGrid(sheet, rect, kMaxPicturePixels);
  const int width = std::max(grid.width, 1), height = std::max(grid.height, 1);
  std::vector<std::uint8_t> bmp = WhiteBmp(width, height);
  FontFaces faces(PrivateFontConfig(workbook));
  RangePainter painter(workbook, sheet, grid);
  const int bandRows =
      std::min(std::max(static_cast<int>(kBandBytes / (static_cast<std::size_t>(width) * 4)), kMinBandRows), height);
  cairo_surface_t* band = BandSurface(width, bandRows);
  for (int top = 0; top < height; top += bandRows) {
    cairo_t* cairo = cairo_create(band);
    cairo_set_source_rgb(cairo, 1, 1, 1);
    cairo_paint(cairo);
    cairo_translate(cairo, 0, -top);
    {
      CairoCanvas canvas(cairo, faces);
      painter.Paint(canvas, top, top + bandRows - 1);
    }
    cairo_destroy(cairo);
    CopyBand(band, std::min(bandRows, height - top), top, bmp.data() + kBmpHeaderSize, width, height);
  }
  cairo_surface_destroy(band);
  return bmp;
}

}  // namespace tallowmere::engine
