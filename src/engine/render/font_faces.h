#pragma once
// The fonts of a picture: found through fontconfig (a face that lacks a character hands
// it to the next face that has it), shaped by HarfBuzz in runs laid out in the order of
// the bidirectional algorithm, drawn by FreeType with slight hinting and grey
// antialiasing, each glyph drawn once and kept.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "engine/render/canvas.h"

using FcConfig = struct _FcConfig;

namespace tallowmere::engine {

class FontFaces {
 public:
  // Finds fonts in config, or in the process's current configuration when it is null.
  explicit FontFaces(FcConfig* config);
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  // A handle of font at 96 dpi; the same font gives the same handle.
  int Font(const CanvasFont& font);

  struct LineMetrics {
    int ascent = 0, descent = 0, leading = 0;  // whole pixels
  };
  LineMetrics Metrics(int font);

  // A glyph of a shaped text and where its origin lies from the text's start on the
  // baseline, in 1/64 pixels.
  struct PlacedGlyph {
    int face;
    std::uint32_t glyph;
    std::int32_t x, y;
  };
  struct ShapedText {
    std::vector<PlacedGlyph> glyphs;
    std::int32_t advance = 0;  // 1/64 pixels
  };
  // Kept while the faces live: a sheet shows the same few texts over and over.
  const ShapedText& Shape(int font, std::string_view utf8);

  // The coverage of a glyph (0 none to 255 full) drawn with its origin subpixelStep
  // steps of 1/kSubpixelSteps pixel right of a whole pixel; left and top place its first
  // column and row from the origin, top upwards. Half pixels place texts as evenly as finer
  // steps do, with half the glyphs to draw.
  struct GlyphImage {
    int left = 0, top = 0, width = 0, rows = 0;
    std::vector<std::uint8_t> coverage;  // rows of width bytes
  };
  static constexpr int kSubpixelSteps = 2;
  const GlyphImage& Glyph(int face, std::uint32_t glyph, int subpixelStep);

 private:
  struct Face;
  struct FontEntry;
  int FaceFor(FontEntry& font, std::size_t candidate);
  int FaceOfCharacter(FontEntry& font, char32_t character);
  ShapedText ShapeAnew(FontEntry& font, std::string_view utf8);
  void ShapeRun(int face, bool rightToLeft, std::string_view utf8, std::size_t start, std::size_t end,
                ShapedText& shaped);

  FcConfig* config_;
  void* library_ = nullptr;  // FT_Library
  void* buffer_ = nullptr;   // hb_buffer_t, reused by every shaping
  std::vector<std::unique_ptr<Face>> faces_;
  std::map<std::tuple<std::string, int, double>, int> faceIndex_;  // file, index, pixels
  std::vector<std::unique_ptr<FontEntry>> fonts_;
  std::map<std::tuple<std::string, double, bool, bool>, int> fontIndex_;
  std::map<std::tuple<int, std::uint32_t, int>, GlyphImage> glyphs_;
};

}  // namespace tallowmere::engine
