#pragma once
// A canvas on the pixels of a 24-bit BMP: rows bottom up, blue, green, red. Fills and
// lines cover whole pixels; texts are blended in by their glyphs' coverage.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/render/canvas.h"
#include "engine/render/font_faces.h"

namespace tallowmere::engine {

class RasterCanvas : public Canvas {
 public:
  // pixels holds height rows of stride bytes, the picture's bottom row first.
  RasterCanvas(std::uint8_t* pixels, int width, int height, std::size_t stride, FontFaces& faces);

  int Font(const CanvasFont& font) override { return faces_.Font(font); }
  int TextWidth(int font, const std::string& text) override;
  int LineHeight(int font) override;
  void FillRect(const PixelRect& area, Rgb colour) override;
  void Line(int x1, int y1, int x2, int y2, Rgb colour) override;
  void Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
            const std::string& text, Rgb colour) override;

 private:
  std::uint8_t* Pixel(int x, int y) {
    return pixels_ + static_cast<std::size_t>(height_ - 1 - y) * stride_ + static_cast<std::size_t>(x) * 3;
  }
  std::vector<std::string_view> Lines(int font, std::string_view text, int width, bool wrap);
  void DrawLine(const FontFaces::ShapedText& line, std::int32_t x, int baseline, const PixelRect& bounds, Rgb colour);

  std::uint8_t* pixels_;
  int width_, height_;
  std::size_t stride_;
  FontFaces& faces_;
};

}  // namespace tallowmere::engine
