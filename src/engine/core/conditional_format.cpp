#include "engine/core/conditional_format.h"

#include <algorithm>

#include "engine/core/address.h"
#include "engine/core/engine_error.h"

namespace tallowmere::engine {
namespace {

using Operator = FormatConditionData::Operator;

bool Contains(const CellRect& outer, const CellRect& inner) {
  return inner.firstRow >= outer.firstRow && inner.lastRow <= outer.lastRow && inner.firstColumn >= outer.firstColumn &&
         inner.lastColumn <= outer.lastColumn;
}

bool RefersToCells(const FormulaNode& node) {
  if (node.kind == FormulaNode::Kind::Reference || node.kind == FormulaNode::Kind::Area) return true;
  return std::any_of(node.args.begin(), node.args.end(),
                     [](const FormulaPtr& arg) { return arg && RefersToCells(*arg); });
}

bool TakesTwoFormulas(Operator op) { return op == Operator::Between || op == Operator::NotBetween; }

// A constant formula's number; none for one whose value is no number.
std::optional<double> NumberOf(const FormulaPtr& formula) {
  const Value value = Evaluate(*formula, 1, 1, [](int, int) { return Value{}; });
  if (value.type != Value::Type::Number) return std::nullopt;
  return value.number;
}

}  // namespace

std::pair<std::size_t, std::size_t> AddFormatCondition(SheetData& sheet, const CellRect& range,
                                                       FormatConditionData condition) {
  if (!condition.formula1 || TakesTwoFormulas(condition.op) != (condition.formula2 != nullptr))
    throw EngineError("The condition needs " +
                      std::string(TakesTwoFormulas(condition.op) ? "two formulas" : "one formula"));
  for (const FormulaPtr& formula : {condition.formula1, condition.formula2}) {
    if (formula && RefersToCells(*formula))
      throw EngineError("A condition compares with constants only, not with cells");
  }
  auto format = std::find_if(sheet.conditionalFormats.begin(), sheet.conditionalFormats.end(),
                             [&](const ConditionalFormat& f) { return f.range == range; });
  if (format == sheet.conditionalFormats.end())
    format = sheet.conditionalFormats.insert(sheet.conditionalFormats.end(), ConditionalFormat{range, {}});
  if (format->conditions.size() >= kMaxConditionsPerRange) {
    throw EngineError("The range " + FormatAddress(range) + " has " + std::to_string(kMaxConditionsPerRange) +
                      " conditions already");
  }
  format->conditions.push_back(std::move(condition));
  return {static_cast<std::size_t>(format - sheet.conditionalFormats.begin()), format->conditions.size() - 1};
}

bool ConditionHolds(const FormatConditionData& condition, const Value& value) {
  if (value.type != Value::Type::Number && value.type != Value::Type::Empty) return false;
  const double v = value.type == Value::Type::Number ? value.number : 0.0;
  const std::optional<double> first = NumberOf(condition.formula1);
  if (!first) return false;
  if (TakesTwoFormulas(condition.op)) {
    const std::optional<double> second = condition.formula2 ? NumberOf(condition.formula2) : std::nullopt;
    if (!second) return false;
    const bool inside = v >= std::min(*first, *second) && v <= std::max(*first, *second);
    return condition.op == Operator::Between ? inside : !inside;
  }
  switch (condition.op) {
    case Operator::Equal: return v == *first;
    case Operator::NotEqual: return v != *first;
    case Operator::Greater: return v > *first;
    case Operator::Less: return v < *first;
    case Operator::GreaterEqual: return v >= *first;
    case Operator::LessEqual: return v <= *first;
    case Operator::Between:
    case Operator::NotBetween: break;
  }
  return false;
}

const FormatConditionData* MatchingCondition(const SheetData& sheet, int row, int column, const Value& value) {
  for (const ConditionalFormat& format : sheet.conditionalFormats) {
    if (!Contains(format.range, CellRect{row, column, row, column})) continue;
    for (const FormatConditionData& condition : format.conditions)
      if (ConditionHolds(condition, value)) return &condition;
  }
  return nullptr;
}

void RemoveConditionalFormatsInside(SheetData& sheet, const CellRect& range) {
  std::erase_if(sheet.conditionalFormats, [&](const ConditionalFormat& f) { return Contains(range, f.range); });
}

}  // namespace tallowmere::engine
