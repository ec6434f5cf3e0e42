#include "engine/render/raster_canvas.h"

#include <algorithm>
#include <cstring>

namespace tallowmere::engine {
namespace {

constexpr std::int32_t kUnit = 64;  // 1/64 pixels in a pixel

void Blend(std::uint8_t* pixel, Canvas::Rgb colour, int coverage) {
  const int channels[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                           static_cast<int>((colour >> 16) & 0xFF)};  // blue, green, red as stored
  for (int i = 0; i < 3; ++i) {
    const int old = pixel[i];
    pixel[i] =
        static_cast<std::uint8_t>(old + ((channels[i] - old) * coverage + (channels[i] >= old ? 127 : -127)) / 255);
  }
}

// The offset of a line's start in its area, 1/64 pixels.
std::int32_t StartOffset(TextPlacement::Horizontal horizontal, int areaWidth, std::int32_t advance) {
  const std::int32_t room = areaWidth * kUnit - advance;
  if (horizontal == TextPlacement::Horizontal::Right) return room;
  if (horizontal == TextPlacement::Horizontal::Center) return room / 2;
  return 0;
}

}  // namespace

RasterCanvas::RasterCanvas(std::uint8_t* pixels, int width, int height, std::size_t stride, FontFaces& faces)
    : pixels_(pixels), width_(width), height_(height), stride_(stride), faces_(faces) {}

int RasterCanvas::TextWidth(int font, const std::string& text) {
  const std::int32_t advance = faces_.Shape(font, text).advance;
  return (advance + kUnit / 2) / kUnit;
}

int RasterCanvas::LineHeight(int font) {
  const FontFaces::LineMetrics metrics = faces_.Metrics(font);
  return metrics.ascent + metrics.descent;
}

void RasterCanvas::FillRect(const PixelRect& area, Rgb colour) {
  const PixelRect inside = area.Intersected({0, 0, width_ - 1, height_ - 1});
  if (inside.IsEmpty()) return;
  const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                               static_cast<std::uint8_t>(colour >> 16)};
  // One row pixel by pixel, the others copied from it.
  std::uint8_t* const first = Pixel(inside.left, inside.top);
  const std::size_t bytes = static_cast<std::size_t>(inside.Width()) * 3;
  for (std::size_t at = 0; at < bytes; at += 3) std::copy(bgr, bgr + 3, first + at);
  for (int y = inside.top + 1; y <= inside.bottom; ++y) std::memcpy(Pixel(inside.left, y), first, bytes);
}

void RasterCanvas::Line(int x1, int y1, int x2, int y2, Rgb colour) {
  FillRect({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)}, colour);
}

// The text's lines: it breaks at line feeds, and when wrapped also between words where
// the next word would pass the width; a word wider than the width keeps a line of its own.
std::vector<std::string_view> RasterCanvas::Lines(int font, std::string_view text, int width, bool wrap) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t feed = text.find('\n', start);
    std::string_view paragraph = text.substr(start, feed == std::string_view::npos ? feed : feed - start);
    const std::size_t before = lines.size();
    while (wrap && !paragraph.empty()) {
      std::size_t end = paragraph.find(' ');
      for (std::size_t next = end; next != std::string_view::npos;) {
        next = paragraph.find(' ', next + 1);
        const std::string_view candidate = paragraph.substr(0, next);
        if (faces_.Shape(font, candidate).advance > width * kUnit) break;
        end = next;
      }
      if (end == std::string_view::npos) break;
      lines.push_back(paragraph.substr(0, end));
      paragraph.remove_prefix(std::min(paragraph.size(), paragraph.find_first_not_of(' ', end)));
    }
    if (!paragraph.empty() || lines.size() == before) lines.push_back(paragraph);
    if (feed == std::string_view::npos) return lines;
    start = feed + 1;
  }
}

void RasterCanvas::Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
                        const std::string& text, Rgb colour) {
  const FontFaces::LineMetrics metrics = faces_.Metrics(font);
  const std::vector<std::string_view> lines = Lines(font, text, area.Width(), placement.wrap);
  const int count = static_cast<int>(lines.size());
  const int lineHeight = metrics.ascent + metrics.descent;
  const int height = count * lineHeight + (count - 1) * metrics.leading;
  int top = area.top;
  if (placement.vertical == TextPlacement::Vertical::Center) top += (area.Height() - height) / 2;
  if (placement.vertical == TextPlacement::Vertical::Bottom) top = area.bottom + 1 - height;
  PixelRect bounds{0, 0, width_ - 1, height_ - 1};
  if (clip) bounds = bounds.Intersected(*clip);
  for (int i = 0; i < count; ++i) {
    const FontFaces::ShapedText& line = faces_.Shape(font, lines[static_cast<std::size_t>(i)]);
    const std::int32_t x = area.left * kUnit + StartOffset(placement.horizontal, area.Width(), line.advance);
    DrawLine(line, x, top + i * (lineHeight + metrics.leading) + metrics.ascent, bounds, colour);
  }
}

// Draws each glyph at the half pixel nearest its place on the baseline.
void RasterCanvas::DrawLine(const FontFaces::ShapedText& line, std::int32_t x, int baseline, const PixelRect& bounds,
                            Rgb colour) {
  constexpr std::int32_t kStep = kUnit / FontFaces::kSubpixelSteps;
  for (const FontFaces::PlacedGlyph& placed : line.glyphs) {
    const std::int32_t at = x + placed.x + kStep / 2;
    const std::int32_t whole = at >= 0 ? at / kUnit : -((-at + kUnit - 1) / kUnit);
    const int step = static_cast<int>((at - whole * kUnit) / kStep);
    const FontFaces::GlyphImage& glyph = faces_.Glyph(placed.face, placed.glyph, step);
    const int left = static_cast<int>(whole) + glyph.left;
    const int top = baseline - (placed.y + kUnit / 2) / kUnit - glyph.top;
    for (int row = std::max(0, bounds.top - top); row < glyph.rows && top + row <= bounds.bottom; ++row) {
      const std::uint8_t* coverage = glyph.coverage.data() + static_cast<std::size_t>(row) * glyph.width;
      for (int column = std::max(0, bounds.left - left); column < glyph.width && left + column <= bounds.right;
           ++column) {
        if (coverage[column]) Blend(Pixel(left + column, top + row), colour, coverage[column]);
      }
    }
  }
}

}  // namespace tallowmere::engine
