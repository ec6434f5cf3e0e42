#pragma once
// What the range painter draws on: a surface of whole pixels (one pixel of the picture at
// 96 dpi) that fills rectangles, draws thin lines and sets texts in cell fonts, and that
// measures texts the way it sets them. The picture draws on pixels of its own, the printed
// page through Qt's painter.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallowmere::engine {

// A rectangle of pixels, its right and bottom edges included, so that a single pixel
// is {x, y, x, y}. Empty when right < left or bottom < top.
struct PixelRect {
  int left = 0, top = 0, right = -1, bottom = -1;

  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  bool IsEmpty() const { return right < left || bottom < top; }
  PixelRect Adjusted(int dLeft, int dTop, int dRight, int dBottom) const {
    return {left + dLeft, top + dTop, right + dRight, bottom + dBottom};
  }
  PixelRect Intersected(const PixelRect& other) const;
};

inline PixelRect PixelRect::Intersected(const PixelRect& other) const {
  return {left > other.left ? left : other.left, top > other.top ? top : other.top,
          right < other.right ? right : other.right, bottom < other.bottom ? bottom : other.bottom};
}

// A point between pixels, for lines in any direction.
struct CanvasPoint {
  double x = 0, y = 0;
};

// A cell font: a face name, points, weight and slant.
struct CanvasFont {
  std::string face;
  double points = 10.0;
  bool bold = false;
  bool italic = false;
};

// Where a text sits in its area, and whether it breaks into lines at spaces.
struct TextPlacement {
  enum class Horizontal { Left, Center, Right } horizontal = Horizontal::Left;
  enum class Vertical { Top, Center, Bottom } vertical = Vertical::Bottom;
  bool wrap = false;
};

class Canvas {
 public:
  using Rgb = std::uint32_t;  // 0xRRGGBB

  virtual ~Canvas() = default;

  // A handle of font for the calls below. The painter asks once for each font it uses.
  virtual int Font(const CanvasFont& font) = 0;
  // The advance of text (UTF-8) on one line, in pixels.
  virtual int TextWidth(int font, const std::string& text) = 0;
  // The height of one line of text: ascent and descent.
  virtual int LineHeight(int font) = 0;

  virtual void FillRect(const PixelRect& area, Rgb colour) = 0;
  // A line one pixel wide from one pixel to another in the same row or column, both included.
  virtual void Line(int x1, int y1, int x2, int y2, Rgb colour) = 0;
  // A smooth line width pixels wide through the points in turn (a chart's series).
  virtual void Polyline(const std::vector<CanvasPoint>& points, double width, Rgb colour) = 0;
  // Sets text inside area as placement says; with a clip, no pixel outside it is touched.
  virtual void Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
                    const std::string& text, Rgb colour) = 0;
};

}  // namespace tallowmere::engine
