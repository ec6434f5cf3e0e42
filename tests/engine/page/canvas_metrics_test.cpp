// The picture and the printed page measure texts alike: the painter decides from those
// widths whether a text runs on into its neighbours or a number turns into "###", so
// both ought to decide the same way.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "engine/page/qt_canvas.h"
#include "engine/render/font_faces.h"
#include "engine/render/raster_canvas.h"

namespace tallowmere::engine {
namespace {

struct MetricsCase {
  const char* name;
  CanvasFont font;
  const char* text;
};

class CanvasMetrics : public ::testing::TestWithParam<MetricsCase> {};

TEST_P(CanvasMetrics, PictureAndPageAgreeWithinAPixelOrTwo) {
  const MetricsCase& c = GetParam();
  QImage image(8, 8, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi, the picture's
  image.setDotsPerMeterY(3780);
  QPainter painter(&image);
  QtCanvas page(painter);
  std::uint8_t pixels[8 * 24] = {};
  FontFaces faces(nullptr);
  RasterCanvas picture(pixels, 8, 8, 24, faces);
  const int pageFont = page.Font(c.font), pictureFont = picture.Font(c.font);
  const int pageWidth = page.TextWidth(pageFont, c.text);
  EXPECT_NEAR(picture.TextWidth(pictureFont, c.text), pageWidth, 1 + pageWidth / 50);
  EXPECT_NEAR(picture.LineHeight(pictureFont), page.LineHeight(pageFont), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, CanvasMetrics,
    ::testing::Values(MetricsCase{"title", {"Arial", 18, true, false}, "Cash flow"},
                      MetricsCase{"item", {"Arial", 10, false, false}, "Collections from CR accounts"},
                      MetricsCase{"bold_total", {"Arial", 10, true, false}, "Total Cash Available (before cash out)"},
                      MetricsCase{"number", {"Arial", 10, false, false}, "(1,234,567.89)"},
                      MetricsCase{"italic", {"Liberation Sans", 8, false, true}, "Pre-Startup EST"},
                      MetricsCase{"accents", {"Arial", 10, false, false}, "Café Ölçü Ελλάδα Привет"}),
    [](const ::testing::TestParamInfo<MetricsCase>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tallowmere::engine
