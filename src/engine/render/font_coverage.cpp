#include "engine/render/font_coverage.h"

#include <algorithm>
#include <string_view>

#include "engine/formula/formula.h"
#include "text/unicode.h"

namespace tallowmere::engine {
namespace {

bool Covered(char16_t unit) {
  return unit < 0x0500                         // Latin, IPA, combining marks, Greek, Cyrillic
         || (unit >= 0x2000 && unit < 0x2070)  // general punctuation
         || (unit >= 0x20A0 && unit < 0x20C0)  // currency signs
         || unit == 0x2122;                    // trade mark sign
}

bool Covered(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
    return true;
  const std::u16string text = ToUtf16(utf8);
  return std::all_of(text.begin(), text.end(), [](char16_t unit) { return Covered(unit); });
}

bool Covered(const FormulaNode& node) {
  if (node.kind == FormulaNode::Kind::String && !Covered(node.text)) return false;
  return std::all_of(node.args.begin(), node.args.end(), [](const FormulaPtr& arg) { return !arg || Covered(*arg); });
}

bool Covered(const Style& style) {
  return (EqualIgnoringCase(style.font.name, "Arial") || EqualIgnoringCase(style.font.name, "Liberation Sans")) &&
         Covered(style.numberFormat);
}

}  // namespace

bool LiberationSansServes(const WorkbookData& workbook) {
  for (std::size_t id = 0; id < workbook.styles.Size(); ++id) {
    if (!Covered(workbook.styles.Get(static_cast<StyleId>(id)))) return false;
  }
  for (const auto& sheet : workbook.sheets) {
    for (const auto& [position, cell] : sheet->Cells()) {
      if (!Covered(cell.value.text) || (cell.formula && !Covered(*cell.formula))) return false;
    }
  }
  return true;
}

}  // namespace tallowmere::engine
