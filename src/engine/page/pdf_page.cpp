#include "engine/page/pdf_page.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <limits>
#include <memory>

#include "engine/core/address.h"
#include "engine/core/engine_error.h"
#include "engine/core/sheet_format.h"
#include "engine/page/chart_page.h"
#include "engine/page/page_placement.h"
#include "engine/render/cairo_canvas.h"
#include "engine/render/font_faces.h"
#include "engine/render/private_fonts.h"
#include "engine/render/range_painter.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;  // the picture's pixels are 96 to the inch

// The page is drawn in vectors and scaled to fit, so it holds the whole print area,
// however far it reaches past the size a picture may have.
constexpr int kUnlimitedPixels = std::numeric_limits<int>::max();

CellRect PrintArea(const SheetData& sheet) { return PrintAreaRect(sheet).value_or(UsedRect(sheet)); }

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::vector<std::uint8_t>*>(closure)->insert(static_cast<std::vector<std::uint8_t>*>(closure)->end(),
                                                           data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
  void operator()(cairo_t* cairo) const { cairo_destroy(cairo); }
};

// Paints the grid into the printable part of the page, in points, placed as the setup says.
void PaintPage(cairo_t* cairo, const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid,
               const PagePlacement& placement) {
  const PageRect& printable = placement.printable;
  cairo_rectangle(cairo, printable.left, printable.top, printable.width, printable.height);
  cairo_clip(cairo);
  cairo_translate(cairo, placement.origin.x, placement.origin.y);
  cairo_scale(cairo, placement.scale * kPointsPerPixel, placement.scale * kPointsPerPixel);  // pixels from here
  FontFaces faces(PrivateFontConfig(workbook));
  CairoCanvas canvas(cairo, faces);
  RangePainter(workbook, sheet, grid).Paint(canvas);
}

}  // namespace

std::vector<std::uint8_t> RenderPdfPage(const WorkbookData& workbook, const SheetData& sheet) {
  const PictureGrid grid = LayOutGrid(sheet, PrintArea(sheet), kUnlimitedPixels);
  const PagePlacement placement =
      PlaceOnPage(sheet.pageSetup, {grid.width * kPointsPerPixel, grid.height * kPointsPerPixel});
  std::vector<std::uint8_t> bytes;
  {
    const std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
        cairo_pdf_surface_create_for_stream(Append, &bytes, placement.paper.width, placement.paper.height));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, sheet.name.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Tallowmere");
    {
      const std::unique_ptr<cairo_t, ContextRelease> cairo(cairo_create(surface.get()));
      PaintPage(cairo.get(), workbook, sheet, grid, placement);
      cairo_show_page(cairo.get());
      // Charts lie below the print area: each gets a page of its own after it.
      for (const ChartData& chart : sheet.charts) {
        PaintChartPage(cairo.get(), workbook, sheet, chart, placement);
        cairo_show_page(cairo.get());
      }
      if (cairo_status(cairo.get()) != CAIRO_STATUS_SUCCESS)
        throw EngineError("The PDF page of sheet '" + sheet.name + "' cannot be drawn.");
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
      throw EngineError("The PDF page of sheet '" + sheet.name + "' cannot be finished.");
  }
  return bytes;
}

}  // namespace tallowmere::engine
