// Fuzz target for cell entries and formulas: the input is typed into a cell; a formula is
// printed, re-parsed, encoded, decoded and evaluated, and the properties that must hold are
// checked. The input is also read as BIFF8 tokens and as a number format.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/core/number_format.h"
#include "engine/formula/formula.h"

using namespace tallowmere::engine;

namespace {

Value NumberAt(int row, int column) { return Value::Number(row * 0.5 - column); }

void Check(bool condition) {
  if (!condition) std::abort();
}

void ExerciseFormula(const FormulaNode& formula, int hostRow, int hostColumn) {
  PrintA1(formula, hostRow, hostColumn);
  Value value = Evaluate(formula, hostRow, hostColumn, NumberAt);
  FormatForDisplay(value, "#,##0.00");
  FormatForDisplay(value, "mmm-yy");
}

void TypedEntry(std::string_view text) {
  CellEntry entry;
  try {
    entry = ParseCellEntry(text);
  } catch (const FormulaError&) {
    return;
  }
  if (!entry.formula) {
    FormatForDisplay(entry.value, entry.impliedNumberFormat.empty() ? "General" : entry.impliedNumberFormat);
    return;
  }
  const FormulaNode& formula = *entry.formula;
  // Printing in R1C1 and reading back gives the same formula.
  Check(*ParseFormulaR1C1(PrintR1C1(formula)) == formula);
  // The tokens read back as a formula that shows the same in A1, where #REF! stands for
  // references off the sheet in both.
  for (auto [row, column] : {std::pair{1, 1}, std::pair{300, 40}, std::pair{65536, 256}}) {
    std::vector<std::uint8_t> tokens = EncodeBiff8(formula, row, column);
    FormulaPtr decoded = DecodeBiff8(tokens.data(), tokens.size(), row, column);
    Check(PrintA1(*decoded, row, column) == PrintA1(formula, row, column));
    ExerciseFormula(formula, row, column);
  }
}

void Tokens(const std::uint8_t* data, std::size_t size) {
  try {
    FormulaPtr formula = DecodeBiff8(data, size, 100, 10);
    PrintR1C1(*formula);
    ExerciseFormula(*formula, 100, 10);
    EncodeBiff8(*formula, 100, 10);
  } catch (const FormulaError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  TypedEntry(text);
  if (!text.empty() && text.front() != '=') TypedEntry("=" + std::string(text));
  Tokens(data, size);
  std::string format(text.substr(0, 256));
  for (double number : {0.0, -1234.5678, 41275.25, 1e300, 2.5e-7}) FormatForDisplay(Value::Number(number), format);
  IsDateFormat(format);
  return 0;
}
