#include "preview/zoomed_picture.h"

#include <algorithm>
#include <stdexcept>

#include "preview/preview_geometry.h"

namespace tallowmere {

QImage DrawZoomed(const QImage& unscaled, int zoomWidth, int zoomHeight) {
  const int width = std::max(1, TwipsToPixels(zoomWidth));
  const int height = std::max(1, TwipsToPixels(zoomHeight));
  QImage drawn;
  if (unscaled.isNull()) {
    drawn = QImage(width, height, QImage::Format_RGB32);
    if (!drawn.isNull()) drawn.fill(Qt::white);
  } else {
    drawn = unscaled.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (drawn.isNull()) throw std::runtime_error("Not enough memory to draw the picture");
  return drawn;
}

QImage PrepareUnscaled(const QImage& loaded) {
  if (loaded.hasAlphaChannel()) return loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return loaded.convertToFormat(QImage::Format_RGB32);
}

}  // namespace tallowmere
