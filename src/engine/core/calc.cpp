#include "engine/core/calc.h"

#include <algorithm>

namespace tallowmere::engine {
namespace {

bool OnSheet(int row, int column) { return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns; }

int Resolve(int value, bool relative, int host) { return relative ? host + value : value; }

}  // namespace

bool Calculator::IsPendingFormula(int row, int column) const {
  const Cell* cell = sheet_.Find(row, column);
  return cell && cell->formula && !done_.count({row, column});
}

void Calculator::CollectPending(const FormulaNode& node, int row, int column, std::vector<Position>& out) const {
  if (node.kind == FormulaNode::Kind::Reference) {
    int r = Resolve(node.ref.row, node.ref.rowRelative, row),
        c = Resolve(node.ref.column, node.ref.columnRelative, column);
    if (OnSheet(r, c) && IsPendingFormula(r, c)) out.emplace_back(r, c);
  } else if (node.kind == FormulaNode::Kind::Area) {
    int r1 = Resolve(node.ref.row, node.ref.rowRelative, row),
        c1 = Resolve(node.ref.column, node.ref.columnRelative, column);
    int r2 = Resolve(node.ref2.row, node.ref2.rowRelative, row),
        c2 = Resolve(node.ref2.column, node.ref2.columnRelative, column);
    if (r1 > r2) std::swap(r1, r2);
    if (c1 > c2) std::swap(c1, c2);
    // Only the cells that exist: an area as large as a whole column costs what it holds.
    const auto& cells = sheet_.Cells();
    for (auto it = cells.lower_bound({r1, c1}); it != cells.end() && it->first.first <= r2; ++it) {
      auto [r, c] = it->first;
      if (c >= c1 && c <= c2 && IsPendingFormula(r, c)) out.emplace_back(r, c);
    }
  }
  for (const auto& arg : node.args) {
    if (arg) CollectPending(*arg, row, column, out);
  }
}

std::vector<Calculator::Position> Calculator::Pending(const FormulaNode& formula, int row, int column) const {
  std::vector<Position> pending;
  CollectPending(formula, row, column, pending);
  return pending;
}

Value Calculator::Known(int row, int column) const {
  if (!OnSheet(row, column)) return Value::Error(ErrorCode::Ref);
  const Cell* cell = sheet_.Find(row, column);
  if (!cell) return Value{};
  if (!cell->formula) return cell->value;
  auto it = done_.find({row, column});
  return it != done_.end() ? it->second : Value::Error(ErrorCode::Value);  // part of a cycle
}

// Depth-first over the references with an explicit stack: a cell is evaluated once
// every formula it refers to is done or found to be on a cycle.
void Calculator::Calculate(const Position& start) {
  struct Frame {
    Position cell;
    std::vector<Position> pending;
    std::size_t next = 0;
  };
  auto frameFor = [this](const Position& p) {
    return Frame{p, Pending(*sheet_.Find(p.first, p.second)->formula, p.first, p.second)};
  };
  std::vector<Frame> stack;
  stack.push_back(frameFor(start));
  inProgress_.insert(start);
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next < top.pending.size()) {
      Position dependency = top.pending[top.next++];
      if (!done_.count(dependency) && !inProgress_.count(dependency)) {
        inProgress_.insert(dependency);
        stack.push_back(frameFor(dependency));
      }
      continue;
    }
    auto [row, column] = top.cell;
    done_[top.cell] =
        Evaluate(*sheet_.Find(row, column)->formula, row, column, [this](int r, int c) { return Known(r, c); });
    inProgress_.erase(top.cell);
    stack.pop_back();
  }
}

Value Calculator::ValueAt(int row, int column) {
  if (IsPendingFormula(row, column)) Calculate({row, column});
  return Known(row, column);
}

void Recalculate(SheetData& sheet) {
  Calculator calculator(sheet);
  for (auto& [position, cell] : sheet.Cells()) {
    if (cell.formula) cell.value = calculator.ValueAt(position.first, position.second);
  }
}

}  // namespace tallowmere::engine
