#include "engine/page/qt_canvas.h"

#include <QPointF>
#include <QRect>
#include <QString>

#include "text/unicode.h"

namespace tallowmere::engine {
namespace {

QString ToQString(const std::string& utf8) { return QString::fromStdU16String(ToUtf16(utf8)); }

QRect ToQRect(const PixelRect& area) { return QRect(QPoint(area.left, area.top), QPoint(area.right, area.bottom)); }

QColor ToQColor(Canvas::Rgb colour) { return QColor(static_cast<QRgb>(colour)); }

int AlignmentFlags(TextPlacement placement) {
  using H = TextPlacement::Horizontal;
  using V = TextPlacement::Vertical;
  int flags = placement.horizontal == H::Right    ? Qt::AlignRight
              : placement.horizontal == H::Center ? Qt::AlignHCenter
                                                  : Qt::AlignLeft;
  flags |= placement.vertical == V::Top      ? Qt::AlignTop
           : placement.vertical == V::Center ? Qt::AlignVCenter
                                             : Qt::AlignBottom;
  if (placement.wrap) flags |= Qt::TextWordWrap;
  return flags;
}

}  // namespace

int QtCanvas::Font(const CanvasFont& font) {
  QFont qfont;
  // Arial and the other common faces come from their metric-compatible free twins
  // through fontconfig; the explicit fallback keeps the page the same everywhere.
  qfont.setFamilies({ToQString(font.face), QStringLiteral("Liberation Sans")});
  qfont.setPointSizeF(font.points);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  faces_.push_back({qfont, QFontMetrics(qfont, painter_.device())});
  return static_cast<int>(faces_.size()) - 1;
}

int QtCanvas::TextWidth(int font, const std::string& text) {
  return faces_[static_cast<std::size_t>(font)].metrics.horizontalAdvance(ToQString(text));
}

int QtCanvas::LineHeight(int font) { return faces_[static_cast<std::size_t>(font)].metrics.height(); }

void QtCanvas::FillRect(const PixelRect& area, Rgb colour) {
  if (!lines_.empty() || colour != pendingColour_) DrawPending();
  pendingColour_ = colour;
  rects_.push_back(ToQRect(area));
}

void QtCanvas::Line(int x1, int y1, int x2, int y2, Rgb colour) {
  if (!rects_.empty() || colour != pendingColour_) DrawPending();
  pendingColour_ = colour;
  // Through the middle of the pixels it covers, so that on a page the line lies on them
  // rather than half a pixel up and to the left.
  const QPointF centre(0.5, 0.5);
  lines_.emplace_back(QPointF(x1, y1) + centre, QPointF(x2, y2) + centre);
}

// Fills or lines of one colour that follow each other go to the page as one path: a path
// each, with its colour and state set again, made most of a page's size and time.
void QtCanvas::DrawPending() {
  if (!rects_.empty()) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(pendingColour_));
    painter_.drawRects(rects_.data(), static_cast<int>(rects_.size()));
    painter_.setBrush(Qt::NoBrush);
    rects_.clear();
  }
  if (!lines_.empty()) {
    painter_.setPen(QPen(ToQColor(pendingColour_), 1));
    painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    lines_.clear();
  }
}

void QtCanvas::Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
                    const std::string& text, Rgb colour) {
  DrawPending();
  painter_.setFont(faces_[static_cast<std::size_t>(font)].font);
  painter_.setPen(ToQColor(colour));
  const int flags = AlignmentFlags(placement);
  if (!clip) return painter_.drawText(ToQRect(area), flags, ToQString(text));
  painter_.save();
  painter_.setClipRect(ToQRect(*clip), Qt::IntersectClip);  // within any clip of the whole page
  painter_.drawText(ToQRect(area), flags, ToQString(text));
  painter_.restore();
}

}  // namespace tallowmere::engine
