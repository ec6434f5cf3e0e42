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

PageSize PaperOf(const PageSetupData& page) {
  switch (page.paperSize) {
    case 1: return {612, 792};   // Letter
    case 3: return {792, 1224};  // Tabloid
    case 5: return {612, 1008};  // Legal
    case 8: return {842, 1191};  // A3
    case 11: return {420, 595};  // A5
    default: return {595, 842};  // A4
  }
}

PagePlacement PlaceOnPage(const PageSetupData& page, PageSize area) {
  PagePlacement placement;
  const PageSize upright = PaperOf(page);
  placement.paper = page.landscape ? PageSize{upright.height, upright.width} : upright;
  // Margins wider than the paper leave an empty printable part, not a turned one.
  placement.printable = {page.leftMargin, page.topMargin,
                         std::max(0.0, placement.paper.width - page.rightMargin - page.leftMargin),
                         std::max(0.0, placement.paper.height - page.bottomMargin - page.topMargin)};
  const PageRect& printable = placement.printable;
  if (page.fitToPages) {
    placement.scale = std::min(FitScale(area.width, printable.width, page.fitWide),
                               FitScale(area.height, printable.height, page.fitTall));
  } else {
    placement.scale = std::clamp(page.zoom, kMinZoom, kMaxZoom) / 100.0;
  }
  placement.origin = {Centred(printable.left, printable.width, area.width * placement.scale),
                      Centred(printable.top, printable.height, area.height * placement.scale)};
  return placement;
}

}  // namespace tallowmere::engine
