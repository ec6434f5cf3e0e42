// Redrawing the preview's picture at the largest size it is ever drawn (21299 x 19399
// twips, about 1420 x 1293 pixels) from a typical sheet picture: zooming must feel
// immediate, well under one frame (16 ms).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "preview/preview_geometry.h"
#include "preview/zoomed_picture.h"

namespace {

// A sheet-like picture: white with grid lines and dark blocks standing for text.
QImage SheetPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(QColor(192, 192, 192));
  for (int x = 0; x < width; x += 64) painter.drawLine(x, 0, x, height);
  for (int y = 0; y < height; y += 17) painter.drawLine(0, y, width, y);
  for (int y = 4; y < height; y += 17)
    for (int x = 6; x < width; x += 64) painter.fillRect(x, y, 40, 9, QColor(20, 20, 60));
  return tallowmere::PrepareUnscaled(image);
}

void BM_RedrawAtLargestSize(benchmark::State& state) {
  const QImage unscaled = SheetPicture(1000, 900);
  for (auto _ : state) {
    QImage drawn = tallowmere::DrawZoomed(unscaled, tallowmere::PreviewGeometry::kDrawLimitWidth - 1,
                                          tallowmere::PreviewGeometry::kDrawLimitHeight - 1);
    benchmark::DoNotOptimize(drawn.constBits());
  }
}
BENCHMARK(BM_RedrawAtLargestSize)->Unit(benchmark::kMillisecond)->UseRealTime();

// One "Zoom In" of the geometry with its bar set-up, without the drawing.
void BM_ZoomStepGeometry(benchmark::State& state) {
  tallowmere::PreviewGeometry geometry;
  geometry.PictureLoaded(15002, 13502);
  geometry.Setup();
  for (auto _ : state) {
    geometry.ZoomStep(false);
    geometry.ZoomStep(true);
    benchmark::DoNotOptimize(geometry.PictureLeft());
  }
}
BENCHMARK(BM_ZoomStepGeometry);

}  // namespace

BENCHMARK_MAIN();
