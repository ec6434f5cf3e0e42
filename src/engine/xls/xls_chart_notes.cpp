#include "engine/xls/xls_chart_notes.h"

#include <string_view>

#include "engine/formula/formula.h"
#include "engine/xls/biff8_records.h"
#include "text/unicode.h"

namespace tallowmere::engine::xls {
namespace {

constexpr std::uint16_t kNameHidden = 0x0001;
constexpr std::size_t kMaxNoteLength = 255;  // UTF-16 units of a formula's text constant

std::vector<std::uint8_t> TextFormula(const std::string& text) {
  FormulaNode node;
  node.kind = FormulaNode::Kind::String;
  node.text = text;
  return EncodeBiff8(node, 1, 1);
}

void WriteNote(biff8::RecordStream& out, std::size_t sheet, std::size_t number, const std::string& note) {
  const std::u16string name = ToUtf16(kChartNoteName + std::to_string(number));
  const std::vector<std::uint8_t> formula = TextFormula(note);
  biff8::ByteBuffer b;
  b.U16(kNameHidden).U8(0).U8(static_cast<std::uint8_t>(name.size()));
  b.U16(static_cast<std::uint16_t>(formula.size())).U16(0);
  b.U16(static_cast<std::uint16_t>(sheet + 1));  // local to its sheet
  b.U8(0).U8(0).U8(0).U8(0);                     // no menu, description, help or status texts
  b.StringChars(name);
  b.Bytes(formula);
  out.Write(biff8::rec::kName, b);
}

}  // namespace

void WriteChartNotes(biff8::RecordStream& out, const WorkbookData& workbook) {
  for (std::size_t sheet = 0; sheet < workbook.sheets.size(); ++sheet) {
    const auto& charts = workbook.sheets[sheet]->charts;
    for (std::size_t i = 0; i < charts.size(); ++i) {
      const std::string note = ChartNote(charts[i]);
      if (ToUtf16(note).size() <= kMaxNoteLength) WriteNote(out, sheet, i + 1, note);
    }
  }
}

std::optional<std::pair<std::size_t, ChartData>> ReadChartNote(const Record& record) {
  RecordCursor cursor(record);
  const auto [flags, nameLength, formulaSize, sheetIndex] = ReadNameHeader(cursor);
  if (!(flags & kNameHidden) || (flags & biff8::kNameBuiltin) || sheetIndex == 0 || nameLength == 0) return {};
  const std::string name = cursor.Characters(nameLength);
  if (!name.starts_with(kChartNoteName) || formulaSize > cursor.Remaining()) return {};
  try {
    const FormulaPtr formula = DecodeBiff8(cursor.Here(), formulaSize, 1, 1);
    if (formula->kind != FormulaNode::Kind::String) return {};
    if (auto chart = ParseChartNote(formula->text)) return std::make_pair(sheetIndex - 1, *chart);
  } catch (const FormulaError&) {
  }
  return {};
}

}  // namespace tallowmere::engine::xls
