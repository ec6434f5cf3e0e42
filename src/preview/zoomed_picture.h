#pragma once
// Drawing the preview's picture at a zoom level: always from the unscaled picture, so
// zooming in and out repeatedly never blurs it.

#include <QImage>

namespace tallowmere {

// The unscaled picture smoothly scaled to zoomWidth x zoomHeight twips (whole pixels, at
// least one). An empty unscaled picture gives a white area of that size. Throws
// std::runtime_error when the scaled picture cannot be allocated.
QImage DrawZoomed(const QImage& unscaled, int zoomWidth, int zoomHeight);

// The picture as it is kept for drawing: alpha premultiplied over nothing, a format that
// scales and paints fast.
QImage PrepareUnscaled(const QImage& loaded);

}  // namespace tallowmere
