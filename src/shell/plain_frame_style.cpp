#include "shell/internal/plain_frame_style.h"

#include <QImage>
#include <QPainter>
#include <QStyleOption>

namespace tallowmere {
namespace {

// Whatever the style draws fainter than this is shading; the outline is drawn stronger.
constexpr int kShadeAlpha = 24;

void DropShade(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(line[x]) < kShadeAlpha) line[x] = 0;
  }
}

}  // namespace

// The group box frame is drawn as the style draws it onto a transparent picture, the
// shade is taken out, and what stays is the outline.
void PlainFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
  if (element != PE_FrameGroupBox || option->rect.isEmpty()) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const qreal ratio = painter->device()->devicePixelRatio();
  QImage frame(option->rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  frame.setDevicePixelRatio(ratio);
  frame.fill(Qt::transparent);
  {
    QPainter onFrame(&frame);
    onFrame.translate(-option->rect.topLeft());
    QProxyStyle::drawPrimitive(element, option, &onFrame, widget);
  }
  DropShade(frame);
  painter->drawImage(option->rect.topLeft(), frame);
}

}  // namespace tallowmere
