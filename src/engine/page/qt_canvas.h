#pragma once
// A canvas on a QPainter: the printed page draws the range through Qt's PDF writer, with
// vector fills and lines and texts in embedded fonts.

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QRect>
#include <vector>

#include "engine/render/canvas.h"

namespace tallowmere::engine {

class QtCanvas : public Canvas {
 public:
  // Texts are measured for painter's device, which keeps its resolution while drawn on.
  explicit QtCanvas(QPainter& painter) : painter_(painter) {}
  ~QtCanvas() override { DrawPending(); }
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  int Font(const CanvasFont& font) override;
  int TextWidth(int font, const std::string& text) override;
  int LineHeight(int font) override;
  void FillRect(const PixelRect& area, Rgb colour) override;
  void Line(int x1, int y1, int x2, int y2, Rgb colour) override;
  void Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
            const std::string& text, Rgb colour) override;

 private:
  struct Face {
    QFont font;
    QFontMetrics metrics;
  };
  void DrawPending();

  QPainter& painter_;
  std::vector<Face> faces_;  // by handle
  // Fills or lines not drawn yet, all of pendingColour_; one of the two is empty.
  std::vector<QRect> rects_;
  std::vector<QLineF> lines_;
  Rgb pendingColour_ = 0;
};

}  // namespace tallowmere::engine
