#pragma once
// Where a sheet's print area lands on its printed page: the paper, the margins, and the
// scale that fits the area on the page as the page setup asks.

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// A size, and a rectangle from a top-left corner, in points.
struct PageSize {
  double width = 0, height = 0;
  bool operator==(const PageSize&) const = default;
};
struct PagePoint {
  double x = 0, y = 0;
};
struct PageRect {
  double left = 0, top = 0, width = 0, height = 0;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The paper of a page setup's paper code (the spreadsheet's: 1 Letter, 3 Tabloid, 5 Legal,
// 8 A3, 9 A4, 11 A5), upright, in whole points; A4, the setup's default, for codes it does
// not know.
PageSize PaperOf(const PageSetupData& page);

struct PagePlacement {
  PageSize paper;      // turned for the orientation
  PageRect printable;  // the part inside the margins
  PagePoint origin;    // where the area's top-left corner lands
  double scale = 1.0;  // of the area against its size at 100 %
};

// Places an area of the given size at 100 % (points) on the page. Fitting to pages scales
// the area down until it fits as many pages wide and tall as the setup says (0: any
// number), never up beyond 100 %; otherwise the setup's zoom applies. The area is centred
// in the printable part in each direction where it fits; where it does not, it starts at
// the margin, as the first page of a printout does. Header and footer margins hold only
// headers and footers and leave the area's place alone.
PagePlacement PlaceOnPage(const PageSetupData& page, PageSize area);

}  // namespace tallowmere::engine
