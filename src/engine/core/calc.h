#pragma once
// Values of a sheet's cells with every formula evaluated on demand.

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// The value a cell shows. Each formula is evaluated at most once per Calculator (one
// recalculation), after the formulas it refers to; the order is found with an explicit
// stack, so a chain of references of any length never deepens the call stack. A cell
// that depends on itself, directly or through others, gets the error #VALUE!, and so
// does every cell that depends on such a cell.
class Calculator {
 public:
  explicit Calculator(const SheetData& sheet) : sheet_(sheet) {}
  Value ValueAt(int row, int column);

 private:
  using Position = std::pair<int, int>;
  // The formula cells a formula refers to that are not calculated yet.
  std::vector<Position> Pending(const FormulaNode& formula, int row, int column) const;
  void CollectPending(const FormulaNode& node, int row, int column, std::vector<Position>& out) const;
  bool IsPendingFormula(int row, int column) const;
  Value Known(int row, int column) const;  // a value already final, or #VALUE!
  void Calculate(const Position& start);

  const SheetData& sheet_;
  std::map<Position, Value> done_;
  std::set<Position> inProgress_;
};

// Evaluates every formula of the sheet and stores the result as the cell's cached value.
void Recalculate(SheetData& sheet);

}  // namespace tallowmere::engine
