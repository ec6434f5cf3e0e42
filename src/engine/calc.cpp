#include "engine/calc.h"

namespace tallowmere::engine {

Value Calculator::ValueAt(int row, int column) {
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) return Value::Error(ErrorCode::Ref);
  const Cell* cell = sheet_.Find(row, column);
  if (!cell) return Value{};
  if (!cell->formula) return cell->value;
  const auto key = std::make_pair(row, column);
  if (auto it = done_.find(key); it != done_.end()) return it->second;
  if (inProgress_.count(key) || depth_ >= kMaxDepth) return Value::Error(ErrorCode::Value);

  inProgress_.insert(key);
  ++depth_;
  Value result = Evaluate(*cell->formula, row, column, [this](int r, int c) { return ValueAt(r, c); });
  --depth_;
  inProgress_.erase(key);
  // A result cut short by the depth limit is not final: a later, shallower request may
  // still compute it, so only complete results are kept.
  if (depth_ == 0 || result.type != Value::Type::Error) done_[key] = result;
  return result;
}

void Recalculate(SheetData& sheet) {
  Calculator calculator(sheet);
  // Row-major order evaluates what a formula refers to above and to the left first, so
  // the usual chains (running totals, period headers) never get deep.
  for (auto& [position, cell] : sheet.Cells()) {
    if (cell.formula) cell.value = calculator.ValueAt(position.first, position.second);
  }
}

}  // namespace tallowmere::engine
