#pragma once
// Frames drawn with the widget style's outline but without the faint shade some styles
// (Fusion among them) lay over a frame's inside, so that the inside shows the background
// the window gives it.

#include <QProxyStyle>

namespace tallowmere {

class PlainFrameStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace tallowmere
