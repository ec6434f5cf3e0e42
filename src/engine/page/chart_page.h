#pragma once
// A chart of the sheet on a page of its own after the print area's, drawn over the
// printable part of the same paper by the same painter as the picture's.

#include <cairo.h>

#include "engine/core/workbook.h"
#include "engine/page/page_placement.h"

namespace tallowmere::engine {

// Paints chart into the printable part of the page placement describes; the caller shows
// the page.
void PaintChartPage(cairo_t* cairo, const WorkbookData& workbook, const SheetData& sheet, const ChartData& chart,
                    const PagePlacement& placement);

}  // namespace tallowmere::engine
