#pragma once
// Values of a sheet's cells with every formula evaluated on demand.

#include <map>
#include <set>
#include <utility>

#include "engine/workbook.h"

namespace tallowmere::engine {

// The value a cell shows. Each formula is evaluated at most once per Calculator (one
// recalculation); a cell that depends on itself, or a chain of references deeper than
// kMaxDepth, evaluates to the error #VALUE! instead of recursing without end.
class Calculator {
 public:
  static constexpr int kMaxDepth = 512;

  explicit Calculator(const SheetData& sheet) : sheet_(sheet) {}
  Value ValueAt(int row, int column);

 private:
  const SheetData& sheet_;
  std::map<std::pair<int, int>, Value> done_;
  std::set<std::pair<int, int>> inProgress_;
  int depth_ = 0;
};

// Evaluates every formula of the sheet and stores the result as the cell's cached value.
void Recalculate(SheetData& sheet);

}  // namespace tallowmere::engine
