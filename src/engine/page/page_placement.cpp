#include "engine/page/page_placement.h"

#include <algorithm>

namespace tallowmere::engine {
namespace {

constexpr int kMinZoom = 10, kMaxZoom = 400;  // percent, as a spreadsheet allows

// The scale at which size fits pages of extent each, at most 100 %; 0 pages: any number.
double FitScale(double size, double extent, int pages) {
  if (pages <= 0 || size <= 0) return 1.0;
  return std::min(1.0, pages * extent / size);
}

// Where an extent of size starts in the printable part [start, start + extent).
double Centred(double start, double extent, double size) { return start + std::max(0.0, (extent - size) / 2); }

}  // namespace

QPageSize PaperOf(const PageSetupData& page) {
  switch (page.paperSize) {
    case 1: return QPageSize(QPageSize::Letter);
    case 3: return QPageSize(QPageSize::Tabloid);
    case 5: return QPageSize(QPageSize::Legal);
    case 8: return QPageSize(QPageSize::A3);
    case 11: return QPageSize(QPageSize::A5);
    default: return QPageSize(QPageSize::A4);
  }
}

PagePlacement PlaceOnPage(const PageSetupData& page, QSizeF area) {
  PagePlacement placement;
  const QSizeF upright = PaperOf(page).sizePoints();
  placement.paper = page.landscape ? upright.transposed() : upright;
  // Margins wider than the paper leave an empty printable part, not a turned one.
  const QPointF topLeft(page.leftMargin, page.topMargin);
  const QPointF bottomRight(std::max(topLeft.x(), placement.paper.width() - page.rightMargin),
                            std::max(topLeft.y(), placement.paper.height() - page.bottomMargin));
  placement.printable = QRectF(topLeft, bottomRight);
  if (page.fitToPages) {
    placement.scale = std::min(FitScale(area.width(), placement.printable.width(), page.fitWide),
                               FitScale(area.height(), placement.printable.height(), page.fitTall));
  } else {
    placement.scale = std::clamp(page.zoom, kMinZoom, kMaxZoom) / 100.0;
  }
  const QSizeF scaled = area * placement.scale;
  placement.origin = QPointF(Centred(placement.printable.left(), placement.printable.width(), scaled.width()),
                             Centred(placement.printable.top(), placement.printable.height(), scaled.height()));
  return placement;
}

}  // namespace tallowmere::engine
