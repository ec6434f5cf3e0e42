#include "engine/page/pdf_page.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <limits>

#include "engine/address.h"
#include "engine/engine_error.h"
#include "engine/page/page_placement.h"
#include "engine/page/qt_canvas.h"
#include "engine/render/range_painter.h"
#include "engine/render/render_grid.h"
#include "engine/sheet_format.h"

namespace tallowmere::engine {
namespace {

// The writer's device units are the picture's pixels: the texts are measured and placed
// as in the picture.
constexpr int kDeviceDpi = 96;
constexpr double kPointsPerInch = 72.0;
constexpr double kPointsPerPixel = kPointsPerInch / kDeviceDpi;

// The page is drawn in vectors and scaled to fit, so it holds the whole print area,
// however far it reaches past the size a picture may have.
constexpr int kUnlimitedPixels = std::numeric_limits<int>::max();

CellRect PrintArea(const SheetData& sheet) { return PrintAreaRect(sheet).value_or(UsedRect(sheet)); }

void SetUpWriter(QPdfWriter& writer, const SheetData& sheet) {
  const PageSetupData& page = sheet.pageSetup;
  writer.setResolution(kDeviceDpi);
  writer.setCreator(QStringLiteral("Tallowmere"));
  writer.setTitle(QString::fromStdString(sheet.name));
  // The page's own margins are placed by hand: the writer paints on the whole paper.
  writer.setPageLayout(QPageLayout(PaperOf(page), page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0)));
}

void PaintPage(QPainter& painter, const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid) {
  const PagePlacement placement = PlaceOnPage(sheet.pageSetup, QSizeF(grid.width, grid.height) * kPointsPerPixel);
  painter.scale(kDeviceDpi / kPointsPerInch, kDeviceDpi / kPointsPerInch);  // points from here
  painter.setClipRect(placement.printable);
  painter.translate(placement.origin);
  painter.scale(placement.scale * kPointsPerPixel, placement.scale * kPointsPerPixel);  // pixels from here
  QtCanvas canvas(painter);
  RangePainter(workbook, sheet, grid).Paint(canvas);
}

}  // namespace

std::vector<std::uint8_t> RenderPdfPage(const WorkbookData& workbook, const SheetData& sheet) {
  if (!QGuiApplication::instance())
    throw EngineError("A page cannot be drawn without the application's graphics system.");
  const PictureGrid grid = LayOutGrid(sheet, PrintArea(sheet), kUnlimitedPixels);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    SetUpWriter(writer, sheet);
    QPainter painter;
    if (!painter.begin(&writer)) throw EngineError("The PDF page of sheet '" + sheet.name + "' cannot be drawn.");
    PaintPage(painter, workbook, sheet, grid);
    if (!painter.end()) throw EngineError("The PDF page of sheet '" + sheet.name + "' cannot be finished.");
  }
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace tallowmere::engine
