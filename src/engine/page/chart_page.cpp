#include "engine/page/chart_page.h"

#include <cmath>

#include "engine/core/calc.h"
#include "engine/render/cairo_canvas.h"
#include "engine/render/chart_painter.h"
#include "engine/render/font_faces.h"
#include "engine/render/private_fonts.h"

namespace tallowmere::engine {
namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;

}  // namespace

void PaintChartPage(cairo_t* cairo, const WorkbookData& workbook, const SheetData& sheet, const ChartData& chart,
                    const PagePlacement& placement) {
  const PageRect& printable = placement.printable;
  cairo_save(cairo);
  // The page before may have left a clip and a scale of its own.
  cairo_identity_matrix(cairo);
  cairo_reset_clip(cairo);
  cairo_translate(cairo, printable.left, printable.top);
  cairo_scale(cairo, kPointsPerPixel, kPointsPerPixel);  // pixels from here
  const PixelRect area{0, 0, static_cast<int>(std::floor(printable.width / kPointsPerPixel)) - 1,
                       static_cast<int>(std::floor(printable.height / kPointsPerPixel)) - 1};
  FontFaces faces(PrivateFontConfig(workbook));
  {
    CairoCanvas canvas(cairo, faces);
    Calculator calculator(sheet);
    PaintChart(canvas, workbook, sheet, calculator, chart, area);
  }
  cairo_restore(cairo);
}

}  // namespace tallowmere::engine
