// The module of the engine's printed pages, which need QtGui; see engine/output_functions.h.
#include "engine/output/gui_layer.h"
#include "engine/output_functions.h"
#include "engine/page/pdf_page.h"

namespace tallowmere::engine {
namespace {

std::vector<std::uint8_t> DrawPage(const WorkbookData& workbook, const SheetData& sheet) {
  EnsureGuiLayer(workbook);
  return RenderPdfPage(workbook, sheet);
}

}  // namespace
}  // namespace tallowmere::engine

extern "C" __attribute__((visibility("default"))) const tallowmere::engine::PageFunctions* tallowmere_page_functions() {
  static const tallowmere::engine::PageFunctions functions{&tallowmere::engine::DrawPage};
  return &functions;
}
