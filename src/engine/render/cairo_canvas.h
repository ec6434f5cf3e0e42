#pragma once
// The one canvas: cairo draws the range on an image surface for the picture and on a PDF
// surface for the printed page. Texts are shaped once by FontFaces and drawn as its glyphs
// with their text attached, so a page's texts stay searchable and its fonts embedded, and
// the picture and the page measure, and so break and cut, every text alike.

#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/render/canvas.h"
#include "engine/render/font_faces.h"

namespace tallowmere::engine {

class CairoCanvas : public Canvas {
 public:
  // Draws through cairo, whose user space is the picture's pixels; cairo keeps its own
  // reference.
  CairoCanvas(cairo_t* cairo, FontFaces& faces);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  int Font(const CanvasFont& font) override { return faces_.Font(font); }
  int TextWidth(int font, const std::string& text) override;
  int LineHeight(int font) override;
  void FillRect(const PixelRect& area, Rgb colour) override;
  void Line(int x1, int y1, int x2, int y2, Rgb colour) override;
  void Polyline(const std::vector<CanvasPoint>& points, double width, Rgb colour) override;
  void Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
            const std::string& text, Rgb colour) override;

 private:
  void SetColour(Rgb colour);
  void FillPending();
  void DrawLines();
  std::vector<std::string_view> Lines(int font, std::string_view text, int width, bool wrap);
  void ShowLine(int font, std::string_view text, double x, double baseline);
  void ShowRun(const FontFaces::GlyphRun& run, const FontFaces::ShapedText& line, std::string_view text, double x,
               double baseline);
  cairo_scaled_font_t* ScaledFont(int face);

  cairo_t* cairo_;
  FontFaces& faces_;
  cairo_font_options_t* options_;
  // A fill not drawn yet, which the next may continue.
  bool pending_ = false;
  PixelRect pendingArea_;
  Rgb pendingColour_ = 0;
  // A line along one pixel row (at is its y) or column (at is its x), from and to the
  // pixels at its ends; ordered so that the lines on one row or column follow each other.
  struct Segment {
    bool vertical;
    int at, from, to;
    auto operator<=>(const Segment&) const = default;
  };
  // Lines not stroked yet, all of lineColour_.
  std::vector<Segment> segments_;
  Rgb lineColour_ = 0;
  std::vector<cairo_scaled_font_t*> scaled_;  // by face, made when first used
  std::vector<cairo_glyph_t> glyphs_;
  std::vector<cairo_text_cluster_t> clusters_;
  std::string clusterText_;
};

}  // namespace tallowmere::engine
