#include "engine/render/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo-ft.h>
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>

#include "engine/core/engine_error.h"
#include "engine/render/internal/bidi.h"
#include "text/unicode.h"

namespace tallowmere::engine {
namespace {

constexpr double kDpi = 96.0, kPointsPerInch = 72.0;
constexpr int kUnknown = -2, kUnusable = -1;  // a candidate's face before and after a failed load

FT_Library Library(void* library) { return static_cast<FT_Library>(library); }

int RoundedPixels(FT_Pos value) { return static_cast<int>(std::lround(static_cast<double>(value) / 64.0)); }

}  // namespace

struct FontFaces::Face {
  FT_Face ft = nullptr;
  hb_font_t* hb = nullptr;
  double pixels = 0;
  FcPattern* pattern = nullptr;  // the file and the rendering settings fontconfig gives it
  cairo_font_face_t* cairo = nullptr;

  ~Face() {
    if (cairo) cairo_font_face_destroy(cairo);
    if (pattern) FcPatternDestroy(pattern);
    if (hb) hb_font_destroy(hb);  // the HarfBuzz font holds a reference of its own on ft
    if (ft) FT_Done_Face(ft);
  }
};

struct FontFaces::FontEntry {
  double pixels = 0;
  FcPattern* pattern = nullptr;
  FcFontSet* candidates = nullptr;  // best first
  std::vector<int> faceOf;          // per candidate
  int primary = kUnusable;
  LineMetrics metrics;
  std::unordered_map<std::string, ShapedText> shaped;

  ~FontEntry() {
    if (candidates) FcFontSetDestroy(candidates);
    if (pattern) FcPatternDestroy(pattern);
  }
};

FontFaces::FontFaces(FcConfig* config) : config_(config) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw EngineError("The font library cannot be started.");
  library_ = library;
  buffer_ = hb_buffer_create();
}

FontFaces::~FontFaces() {
  fonts_.clear();
  faces_.clear();
  hb_buffer_destroy(static_cast<hb_buffer_t*>(buffer_));
  FT_Done_FreeType(Library(library_));
}

int FontFaces::Font(const CanvasFont& font) {
  const auto key = std::make_tuple(font.face, font.points, font.bold, font.italic);
  if (const auto found = fontIndex_.find(key); found != fontIndex_.end()) return found->second;
  auto entry = std::make_unique<FontEntry>();
  // Whole pixels, as Qt sizes hinted fonts: the picture then measures texts as the
  // windows and the printed page do.
  entry->pixels = std::max(1.0, std::round(font.points * kDpi / kPointsPerInch));
  FcPattern* pattern = entry->pattern = FcPatternCreate();
  // Arial and the other common faces come from their metric-compatible free twins; the
  // explicit fallback keeps the picture the same everywhere.
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Liberation Sans"));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, entry->pixels);
  FcConfigSubstitute(config_, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  entry->candidates = FcFontSort(config_, pattern, FcTrue, nullptr, &result);
  if (entry->candidates) entry->faceOf.assign(static_cast<std::size_t>(entry->candidates->nfont), kUnknown);
  for (std::size_t i = 0; i < entry->faceOf.size() && entry->primary < 0; ++i) entry->primary = FaceFor(*entry, i);
  if (entry->primary < 0) throw EngineError("No font is available to draw the text of the picture.");
  const FT_Size_Metrics& size = faces_[static_cast<std::size_t>(entry->primary)]->ft->size->metrics;
  entry->metrics.ascent = RoundedPixels(size.ascender);
  entry->metrics.descent = RoundedPixels(-size.descender);
  entry->metrics.leading = std::max(0, RoundedPixels(size.height - size.ascender + size.descender));
  fonts_.push_back(std::move(entry));
  return fontIndex_[key] = static_cast<int>(fonts_.size()) - 1;
}

FontFaces::LineMetrics FontFaces::Metrics(int font) { return fonts_[static_cast<std::size_t>(font)]->metrics; }

// The face of a candidate font, opened at the font's size the first time it is asked for.
int FontFaces::FaceFor(FontEntry& font, std::size_t candidate) {
  int& slot = font.faceOf[candidate];
  if (slot != kUnknown) return slot;
  slot = kUnusable;
  FcPattern* prepared = FcFontRenderPrepare(config_, font.pattern, font.candidates->fonts[candidate]);
  if (!prepared) return slot;
  FcChar8* file = nullptr;
  int index = 0;
  FcPatternGetString(prepared, FC_FILE, 0, &file);
  FcPatternGetInteger(prepared, FC_INDEX, 0, &index);
  const std::string path = file ? reinterpret_cast<const char*>(file) : "";
  const auto key = std::make_tuple(path, index, font.pixels);
  if (const auto found = faceIndex_.find(key); found != faceIndex_.end()) {
    FcPatternDestroy(prepared);
    return slot = found->second;
  }
  auto face = std::make_unique<Face>();
  face->pattern = prepared;
  face->pixels = font.pixels;
  // Bitmap-only faces (colour emoji) have fixed sizes and cannot be drawn at a cell's.
  if (path.empty() || FT_New_Face(Library(library_), path.c_str(), index, &face->ft) != 0 ||
      !FT_IS_SCALABLE(face->ft) || FT_Set_Char_Size(face->ft, 0, std::lround(font.pixels * 64), 72, 72) != 0) {
    return slot;
  }
  face->hb = hb_ft_font_create_referenced(face->ft);
  // Advances as designed, not rounded to whole pixels: glyphs are placed at half pixels.
  hb_ft_font_set_load_flags(face->hb, FT_LOAD_NO_HINTING);
  faces_.push_back(std::move(face));
  slot = static_cast<int>(faces_.size()) - 1;
  faceIndex_[key] = slot;
  return slot;
}

int FontFaces::FaceOfCharacter(FontEntry& font, char32_t character) {
  if (character < 0x20 || FT_Get_Char_Index(faces_[static_cast<std::size_t>(font.primary)]->ft, character) != 0)
    return font.primary;
  for (std::size_t i = 0; i < font.faceOf.size(); ++i) {
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(font.candidates->fonts[i], FC_CHARSET, 0, &characters) != FcResultMatch ||
        !FcCharSetHasChar(characters, character)) {
      continue;
    }
    if (const int face = FaceFor(font, i); face >= 0) return face;
  }
  return font.primary;  // its box for a character no font has
}

const FontFaces::ShapedText& FontFaces::Shape(int font, std::string_view utf8) {
  FontEntry& entry = *fonts_[static_cast<std::size_t>(font)];
  const std::string key(utf8);
  if (const auto found = entry.shaped.find(key); found != entry.shaped.end()) return found->second;
  return entry.shaped.emplace(key, ShapeAnew(entry, utf8)).first->second;
}

FontFaces::ShapedText FontFaces::ShapeAnew(FontEntry& entry, std::string_view utf8) {
  const auto points = CodePoints(utf8);
  std::vector<char32_t> characters(points.size());
  std::vector<int> faceOf(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    characters[i] = points[i].second;
    faceOf[i] = FaceOfCharacter(entry, characters[i]);
  }
  const std::vector<std::uint8_t> levels = BidiLevels(characters);
  // Runs of characters of one face and one direction, in the order they are typed.
  struct Run {
    std::size_t first, last;
  };
  std::vector<Run> runs;
  std::vector<std::uint8_t> runLevels;
  for (std::size_t first = 0; first < points.size();) {
    std::size_t last = first + 1;
    while (last < points.size() && faceOf[last] == faceOf[first] && levels[last] == levels[first]) ++last;
    runs.push_back({first, last});
    runLevels.push_back(levels[first]);
    first = last;
  }
  ShapedText shaped;
  for (const std::size_t index : VisualOrder(runLevels)) {
    const Run& run = runs[index];
    const std::size_t start = points[run.first].first;
    const std::size_t end = run.last < points.size() ? points[run.last].first : utf8.size();
    ShapeRun(faceOf[run.first], runLevels[index] % 2 == 1, utf8, start, end, shaped);
  }
  return shaped;
}

// Shapes the characters from start to end of text, with the whole text around them as
// context, and places the glyphs after those shaped already; a right-to-left run comes
// out of HarfBuzz in the order it is drawn.
void FontFaces::ShapeRun(int face, bool rightToLeft, std::string_view utf8, std::size_t start, std::size_t end,
                         ShapedText& shaped) {
  hb_buffer_t* buffer = static_cast<hb_buffer_t*>(buffer_);
  hb_buffer_clear_contents(buffer);
  hb_buffer_add_utf8(buffer, utf8.data(), static_cast<int>(utf8.size()), static_cast<unsigned>(start),
                     static_cast<int>(end - start));
  hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_guess_segment_properties(buffer);  // script and language
  hb_shape(faces_[static_cast<std::size_t>(face)]->hb, buffer, nullptr, 0);
  unsigned count = 0;
  shaped.runs.push_back({face, rightToLeft, start, end, shaped.glyphs.size(), hb_buffer_get_length(buffer)});
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
  for (unsigned i = 0; i < count; ++i) {
    shaped.glyphs.push_back(
        {face, infos[i].codepoint, shaped.advance + positions[i].x_offset, positions[i].y_offset, infos[i].cluster});
    shaped.advance += positions[i].x_advance;
  }
}

// Made the first time it is drawn: a sheet measures many more texts than it shows
// faces, and cairo opens the file again for itself.
cairo_font_face_t* FontFaces::CairoFace(int face) {
  Face& owner = *faces_[static_cast<std::size_t>(face)];
  if (!owner.cairo) owner.cairo = cairo_ft_font_face_create_for_pattern(owner.pattern);
  return owner.cairo;
}

double FontFaces::Pixels(int face) const { return faces_[static_cast<std::size_t>(face)]->pixels; }

}  // namespace tallowmere::engine
