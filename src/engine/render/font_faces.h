#pragma once
// The fonts of the picture and the page: found through fontconfig (a face that lacks a
// character hands it to the next face that has it), shaped by HarfBuzz in runs laid out in
// the order of the bidirectional algorithm. Each face also comes as a cairo font face,
// opened by cairo from the same file with the system's rendering settings for it.

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
using cairo_font_face_t = struct _cairo_font_face;

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

  // A glyph of a shaped text, where its origin lies from the text's start on the
  // baseline, in 1/64 pixels, and the byte of the text where its cluster of characters
  // starts.
  struct PlacedGlyph {
    int face;
    std::uint32_t glyph;
    std::int32_t x, y;
    std::uint32_t cluster;
  };
  // Glyphs that follow each other in one face and one direction, and the bytes of the
  // text they show.
  struct GlyphRun {
    int face;
    bool rightToLeft;
    std::size_t textStart, textEnd;
    std::size_t firstGlyph, glyphCount;
  };
  struct ShapedText {
    std::vector<PlacedGlyph> glyphs;  // left to right
    std::vector<GlyphRun> runs;       // left to right
    std::int32_t advance = 0;         // 1/64 pixels
  };
  // Kept while the faces live: a sheet shows the same few texts over and over.
  const ShapedText& Shape(int font, std::string_view utf8);

  // A face as cairo draws it, and its size in pixels.
  cairo_font_face_t* CairoFace(int face);
  double Pixels(int face) const;

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
};

}  // namespace tallowmere::engine
