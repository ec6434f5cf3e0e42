#include "engine/render/cairo_canvas.h"

#include <algorithm>

namespace tallowmere::engine {
namespace {

constexpr double kUnit = 64.0;  // 1/64 pixels in a pixel, as FontFaces places glyphs

double Channel(Canvas::Rgb colour, int shift) { return static_cast<double>((colour >> shift) & 0xFF) / 255.0; }

// The offset of a line's start in its area, pixels.
double StartOffset(TextPlacement::Horizontal horizontal, int areaWidth, std::int32_t advance) {
  const double room = areaWidth - advance / kUnit;
  if (horizontal == TextPlacement::Horizontal::Right) return room;
  if (horizontal == TextPlacement::Horizontal::Center) return room / 2;
  return 0;
}

}  // namespace

CairoCanvas::CairoCanvas(cairo_t* cairo, FontFaces& faces)
    : cairo_(cairo_reference(cairo)), faces_(faces), options_(cairo_font_options_create()) {
  // Grey antialiasing, and advances as shaped: the picture and the page place glyphs alike.
  cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
  // Fills and lines lie on whole pixels and cover them whole.
  cairo_set_antialias(cairo_, CAIRO_ANTIALIAS_NONE);
}

CairoCanvas::~CairoCanvas() {
  FillPending();
  DrawLines();
  for (cairo_scaled_font_t* font : scaled_) cairo_scaled_font_destroy(font);
  cairo_font_options_destroy(options_);
  cairo_destroy(cairo_);
}

int CairoCanvas::TextWidth(int font, const std::string& text) {
  return static_cast<int>((faces_.Shape(font, text).advance + 32) / 64);
}

int CairoCanvas::LineHeight(int font) {
  const FontFaces::LineMetrics metrics = faces_.Metrics(font);
  return metrics.ascent + metrics.descent;
}

void CairoCanvas::SetColour(Rgb colour) {
  cairo_set_source_rgb(cairo_, Channel(colour, 16), Channel(colour, 8), Channel(colour, 0));
}

// A fill that continues the pending one to the right in the same colour and rows joins it:
// a row of filled cells becomes one rectangle. A page records every drawing operation and
// the region they cover, at a cost that grows with their number.
void CairoCanvas::FillRect(const PixelRect& area, Rgb colour) {
  if (area.IsEmpty()) return;
  DrawLines();
  if (pending_ && colour == pendingColour_ && area.top == pendingArea_.top && area.bottom == pendingArea_.bottom &&
      area.left == pendingArea_.right + 1) {
    pendingArea_.right = area.right;
    return;
  }
  FillPending();
  pending_ = true;
  pendingArea_ = area;
  pendingColour_ = colour;
}

void CairoCanvas::FillPending() {
  if (!pending_) return;
  pending_ = false;
  SetColour(pendingColour_);
  cairo_rectangle(cairo_, pendingArea_.left, pendingArea_.top, pendingArea_.Width(), pendingArea_.Height());
  cairo_fill(cairo_);
}

// Lines of one colour that follow each other (a sheet's borders, mostly of one colour) are
// stroked as one path: a page then records one operation for them, not one for each. Each
// covers its pixels from the first to the last, and the lines on one pixel row or column
// that touch or overlap are joined first: a row's border is one line, not one per cell, and
// the picture's pixels are the same.
void CairoCanvas::Line(int x1, int y1, int x2, int y2, Rgb colour) {
  FillPending();
  if (!segments_.empty() && colour != lineColour_) DrawLines();
  lineColour_ = colour;
  if (y1 == y2) {
    segments_.push_back({false, y1, std::min(x1, x2), std::max(x1, x2)});
  } else {
    segments_.push_back({true, x1, std::min(y1, y2), std::max(y1, y2)});
  }
}

void CairoCanvas::Polyline(const std::vector<CanvasPoint>& points, double width, Rgb colour) {
  if (points.size() < 2) return;
  FillPending();
  DrawLines();
  SetColour(colour);
  cairo_set_line_width(cairo_, width);
  cairo_set_line_join(cairo_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cairo_, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cairo_, points.front().x, points.front().y);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cairo_, points[i].x, points[i].y);
  cairo_stroke(cairo_);
}

// Each joined line runs through the middle of its pixels, from the outer edge of its first
// to that of its last.
void CairoCanvas::DrawLines() {
  if (segments_.empty()) return;
  std::sort(segments_.begin(), segments_.end());
  for (auto next = segments_.begin(); next != segments_.end();) {
    Segment joined = *next;
    for (++next; next != segments_.end() && next->vertical == joined.vertical && next->at == joined.at &&
                 next->from <= joined.to + 1;
         ++next) {
      joined.to = std::max(joined.to, next->to);
    }
    if (joined.vertical) {
      cairo_move_to(cairo_, joined.at + 0.5, joined.from);
      cairo_line_to(cairo_, joined.at + 0.5, joined.to + 1);
    } else {
      cairo_move_to(cairo_, joined.from, joined.at + 0.5);
      cairo_line_to(cairo_, joined.to + 1, joined.at + 0.5);
    }
  }
  segments_.clear();
  SetColour(lineColour_);
  cairo_set_line_width(cairo_, 1);
  cairo_set_line_cap(cairo_, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cairo_);
}

// The text's lines: it breaks at line feeds, and when wrapped also between words where
// the next word would pass the width; a word wider than the width keeps a line of its own.
std::vector<std::string_view> CairoCanvas::Lines(int font, std::string_view text, int width, bool wrap) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t feed = text.find('\n', start);
    std::string_view paragraph = text.substr(start, feed == std::string_view::npos ? feed : feed - start);
    const std::size_t before = lines.size();
    while (wrap && !paragraph.empty()) {
      std::size_t end = paragraph.find(' ');
      for (std::size_t next = end; next != std::string_view::npos;) {
        next = paragraph.find(' ', next + 1);
        if (faces_.Shape(font, paragraph.substr(0, next)).advance > width * kUnit) break;
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

void CairoCanvas::Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
                       const std::string& text, Rgb colour) {
  FillPending();
  DrawLines();
  const FontFaces::LineMetrics metrics = faces_.Metrics(font);
  const std::vector<std::string_view> lines = Lines(font, text, area.Width(), placement.wrap);
  const int count = static_cast<int>(lines.size());
  const int lineHeight = metrics.ascent + metrics.descent;
  const int height = count * lineHeight + (count - 1) * metrics.leading;
  int top = area.top;
  if (placement.vertical == TextPlacement::Vertical::Center) top += (area.Height() - height) / 2;
  if (placement.vertical == TextPlacement::Vertical::Bottom) top = area.bottom + 1 - height;
  if (clip) {
    cairo_save(cairo_);
    cairo_rectangle(cairo_, clip->left, clip->top, clip->Width(), clip->Height());
    cairo_clip(cairo_);
  }
  SetColour(colour);
  for (int i = 0; i < count; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    const std::int32_t advance = faces_.Shape(font, line).advance;
    ShowLine(font, line, area.left + StartOffset(placement.horizontal, area.Width(), advance),
             top + i * (lineHeight + metrics.leading) + metrics.ascent);
  }
  if (clip) cairo_restore(cairo_);
}

void CairoCanvas::ShowLine(int font, std::string_view text, double x, double baseline) {
  const FontFaces::ShapedText& line = faces_.Shape(font, text);
  for (const FontFaces::GlyphRun& run : line.runs) ShowRun(run, line, text, x, baseline);
}

// One run's glyphs in the order they are drawn, left to right, with the bytes of text each
// cluster of them shows, in the same order: a right-to-left run's text goes to the page in
// the order it is seen, as readers of PDF expect it.
void CairoCanvas::ShowRun(const FontFaces::GlyphRun& run, const FontFaces::ShapedText& line, std::string_view text,
                          double x, double baseline) {
  glyphs_.clear();
  clusters_.clear();
  clusterText_.clear();
  const auto first = line.glyphs.begin() + static_cast<std::ptrdiff_t>(run.firstGlyph);
  const auto last = first + static_cast<std::ptrdiff_t>(run.glyphCount);
  // Where each cluster's bytes end: at the next cluster up in the text, or at the run's end;
  // the first cluster of the text also holds any bytes before it.
  std::vector<std::uint32_t> starts;
  for (auto glyph = first; glyph != last; ++glyph) starts.push_back(glyph->cluster);
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  for (auto glyph = first; glyph != last; ++glyph) {
    glyphs_.push_back({glyph->glyph, x + glyph->x / kUnit, baseline - glyph->y / kUnit});
    if (glyph != first && glyph->cluster == (glyph - 1)->cluster) {
      ++clusters_.back().num_glyphs;
      continue;
    }
    const auto next = std::upper_bound(starts.begin(), starts.end(), glyph->cluster);
    const std::size_t from = glyph->cluster == starts.front() ? run.textStart : glyph->cluster;
    const std::size_t to = next == starts.end() ? run.textEnd : *next;
    clusterText_.append(text.substr(from, to - from));
    clusters_.push_back({static_cast<int>(to - from), 1});
  }
  cairo_set_scaled_font(cairo_, ScaledFont(run.face));
  if (clusterText_.size() != run.textEnd - run.textStart) {
    // A cluster met twice (not HarfBuzz's usual grouping): the glyphs alone, rather than a
    // page that cairo refuses.
    cairo_show_glyphs(cairo_, glyphs_.data(), static_cast<int>(glyphs_.size()));
    return;
  }
  cairo_show_text_glyphs(cairo_, clusterText_.data(), static_cast<int>(clusterText_.size()), glyphs_.data(),
                         static_cast<int>(glyphs_.size()), clusters_.data(), static_cast<int>(clusters_.size()),
                         cairo_text_cluster_flags_t{});
}

cairo_scaled_font_t* CairoCanvas::ScaledFont(int face) {
  const auto index = static_cast<std::size_t>(face);
  if (index >= scaled_.size()) scaled_.resize(index + 1, nullptr);
  if (!scaled_[index]) {
    cairo_matrix_t size, device;
    cairo_matrix_init_scale(&size, faces_.Pixels(face), faces_.Pixels(face));
    cairo_get_matrix(cairo_, &device);
    scaled_[index] = cairo_scaled_font_create(faces_.CairoFace(face), &size, &device, options_);
  }
  return scaled_[index];
}

}  // namespace tallowmere::engine
