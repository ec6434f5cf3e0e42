// The module of the engine's drawings, which need QtGui; see engine/output_functions.h.
#include "engine/output/gui_layer.h"
#include "engine/output_functions.h"
#include "engine/render/pdf_page.h"
#include "engine/render/render.h"

namespace tallowmere::engine {
namespace {

std::vector<std::uint8_t> DrawRange(const WorkbookData& workbook, const SheetData& sheet, const CellRect& rect) {
  EnsureGuiLayer(workbook);
  return RenderRangeBmp(workbook, sheet, rect);
}

std::vector<std::uint8_t> DrawPage(const WorkbookData& workbook, const SheetData& sheet) {
  EnsureGuiLayer(workbook);
  return RenderPdfPage(workbook, sheet);
}

}  // namespace
}  // namespace tallowmere::engine

extern "C" __attribute__((visibility("default"))) const tallowmere::engine::DrawingFunctions*
tallowmere_drawing_functions() {
  using namespace tallowmere::engine;
  static const DrawingFunctions functions{&DrawRange, &DrawPage};
  return &functions;
}
