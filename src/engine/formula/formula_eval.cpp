// Evaluation of a formula tree as a spreadsheet computes it: empty cells count as 0 in
// arithmetic, text that is not a number gives #VALUE!, the first error met is the result,
// and a result that is not a finite number gives #NUM!. The tree's height is limited by the
// parser and the decoder, so the recursion here stays shallow.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <variant>

#include "engine/formula/internal/formula_internal.h"

namespace tallowmere::engine {

namespace {

using Kind = FormulaNode::Kind;
using NumberOrError = std::variant<double, ErrorCode>;

constexpr std::size_t kMaxTextLength = 32767;

bool InSheet(int row, int column) { return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns; }

NumberOrError ToNumber(const Value& value) {
  switch (value.type) {
    case Value::Type::Empty: return 0.0;
    case Value::Type::Number:
    case Value::Type::Boolean: return value.number;
    case Value::Type::Error: return value.error;
    case Value::Type::String:
      if (auto number = formula_detail::ParsePlainNumber(value.text)) return *number;
      return ErrorCode::Value;
  }
  return ErrorCode::Value;
}

// Text of a value joined with "&": numbers with up to 15 significant digits.
std::string ToText(const Value& value) {
  switch (value.type) {
    case Value::Type::Number: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.15G", value.number);
      return buffer;
    }
    case Value::Type::Boolean: return value.number != 0 ? "TRUE" : "FALSE";
    case Value::Type::String: return value.text;
    default: return {};
  }
}

Value NumberResult(double number) {
  return std::isfinite(number) ? Value::Number(number == 0 ? 0.0 : number) : Value::Error(ErrorCode::Num);
}

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// Order of values in a comparison: numbers, then text (ignoring case), then logical values;
// an empty cell compares as 0, "" or FALSE, whichever the other side is.
int Compare(Value left, Value right) {
  auto emptyAs = [](const Value& other) {
    if (other.type == Value::Type::String) return Value::String("");
    if (other.type == Value::Type::Boolean) return Value::Boolean(false);
    return Value::Number(0);
  };
  if (left.type == Value::Type::Empty) left = emptyAs(right);
  if (right.type == Value::Type::Empty) right = emptyAs(left);
  auto rank = [](const Value& v) { return v.type == Value::Type::Number ? 0 : v.type == Value::Type::String ? 1 : 2; };
  if (rank(left) != rank(right)) return rank(left) < rank(right) ? -1 : 1;
  if (left.type == Value::Type::String) {
    int c = Folded(left.text).compare(Folded(right.text));
    return (c > 0) - (c < 0);
  }
  return (left.number > right.number) - (left.number < right.number);
}

class Evaluator {
 public:
  Evaluator(int hostRow, int hostColumn, const CellLookup& lookup)
      : hostRow_(hostRow), hostColumn_(hostColumn), lookup_(lookup) {}

  Value Eval(const FormulaNode& node) {
    switch (node.kind) {
      case Kind::Number: return Value::Number(node.number);
      case Kind::String: return Value::String(node.text);
      case Kind::Boolean: return Value::Boolean(node.number != 0);
      case Kind::Error: return Value::Error(node.error);
      case Kind::Reference: return Cell(node.ref);
      case Kind::Area: return Value::Error(ErrorCode::Value);  // a range where one value is wanted
      case Kind::Paren: return Eval(*node.args.at(0));
      case Kind::Unary: return Unary(node);
      case Kind::Binary: return Binary(node);
      case Kind::Function: return Function(node);
    }
    return Value::Error(ErrorCode::Value);
  }

 private:
  int Row(const CellReference& ref) const { return ref.rowRelative ? hostRow_ + ref.row : ref.row; }
  int Column(const CellReference& ref) const { return ref.columnRelative ? hostColumn_ + ref.column : ref.column; }

  Value Cell(const CellReference& ref) const {
    int row = Row(ref), column = Column(ref);
    if (!InSheet(row, column)) return Value::Error(ErrorCode::Ref);
    return lookup_(row, column);
  }

  Value Unary(const FormulaNode& node) {
    Value operand = Eval(*node.args.at(0));
    if (node.op == '+') return operand.type == Value::Type::Empty ? Value::Number(0) : operand;
    NumberOrError number = ToNumber(operand);
    if (auto* error = std::get_if<ErrorCode>(&number)) return Value::Error(*error);
    return NumberResult(-std::get<double>(number));
  }

  Value Binary(const FormulaNode& node) {
    Value left = Eval(*node.args.at(0));
    Value right = Eval(*node.args.at(1));
    if (left.type == Value::Type::Error) return left;
    if (right.type == Value::Type::Error) return right;
    if (node.op == '&') {
      std::string joined = ToText(left) + ToText(right);
      return joined.size() > kMaxTextLength ? Value::Error(ErrorCode::Value) : Value::String(std::move(joined));
    }
    if (std::string_view("=<>lgn").find(node.op) != std::string_view::npos) return Comparison(node.op, left, right);
    NumberOrError a = ToNumber(left), b = ToNumber(right);
    if (auto* error = std::get_if<ErrorCode>(&a)) return Value::Error(*error);
    if (auto* error = std::get_if<ErrorCode>(&b)) return Value::Error(*error);
    return Arithmetic(node.op, std::get<double>(a), std::get<double>(b));
  }

  static Value Comparison(char op, const Value& left, const Value& right) {
    int c = Compare(left, right);
    switch (op) {
      case '=': return Value::Boolean(c == 0);
      case 'n': return Value::Boolean(c != 0);
      case '<': return Value::Boolean(c < 0);
      case '>': return Value::Boolean(c > 0);
      case 'l': return Value::Boolean(c <= 0);
      default: return Value::Boolean(c >= 0);
    }
  }

  static Value Arithmetic(char op, double a, double b) {
    switch (op) {
      case '+': return NumberResult(a + b);
      case '-': return NumberResult(a - b);
      case '*': return NumberResult(a * b);
      case '/': return b == 0 ? Value::Error(ErrorCode::Div0) : NumberResult(a / b);
      case '^':
        if (a == 0 && b == 0) return Value::Error(ErrorCode::Num);
        if (a == 0 && b < 0) return Value::Error(ErrorCode::Div0);
        return NumberResult(std::pow(a, b));
    }
    return Value::Error(ErrorCode::Value);
  }

  Value Function(const FormulaNode& node) {
    if (node.text == "SUM" || node.text == "MIN") return SumOrMin(node);
    if (node.text == "INDEX") return Index(node);
    if (node.text == "MATCH") return Match(node);
    std::vector<double> numbers;
    for (const auto& argument : node.args) {
      NumberOrError number = ToNumber(Eval(*argument));
      if (auto* error = std::get_if<ErrorCode>(&number)) return Value::Error(*error);
      numbers.push_back(std::trunc(std::get<double>(number)));
    }
    if (node.text == "DATE" && numbers.size() == 3) return Date(numbers[0], numbers[1], numbers[2]);
    if ((node.text == "YEAR" || node.text == "MONTH") && numbers.size() == 1) {
      if (numbers[0] < 0 || numbers[0] > kLastDateSerial) return Value::Error(ErrorCode::Num);
      int year, month, day;
      SerialToDate(numbers[0], year, month, day);
      return Value::Number(node.text == "YEAR" ? year : month);
    }
    return Value::Error(ErrorCode::Name);
  }

  // DATE: years 0..1899 count from 1900; months and days beyond their range roll over.
  static Value Date(double year, double month, double day) {
    if (year < 0 || year >= 10000) return Value::Error(ErrorCode::Num);
    if (year < 1900) year += 1900;
    if (std::abs(month) > 1e6 || std::abs(day) > 1e8) return Value::Error(ErrorCode::Num);
    double serial = DateSerial(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (!(serial >= 0 && serial <= kLastDateSerial)) return Value::Error(ErrorCode::Num);
    return Value::Number(serial);
  }

  // The cells of a reference or area argument, top left to bottom right.
  struct Box {
    int top, left, bottom, right;
    int Height() const { return bottom - top + 1; }
    int Width() const { return right - left + 1; }
  };
  // The reference or area an argument names, looking through parentheses; null for any
  // other argument.
  static const FormulaNode* RangeOf(const FormulaNode& argument) {
    const FormulaNode* inner = &argument;
    while (inner->kind == Kind::Paren) inner = inner->args.at(0).get();
    return inner->kind == Kind::Reference || inner->kind == Kind::Area ? inner : nullptr;
  }
  // The cells of range, or nothing when a part of it lies off the sheet.
  std::optional<Box> BoxOf(const FormulaNode& range) const {
    const CellReference& last = range.kind == Kind::Area ? range.ref2 : range.ref;
    Box box{Row(range.ref), Column(range.ref), Row(last), Column(last)};
    if (!InSheet(box.top, box.left) || !InSheet(box.bottom, box.right)) return std::nullopt;
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    if (box.left > box.right) std::swap(box.left, box.right);
    return box;
  }

  // SUM adds numbers, MIN takes the smallest (0 when there is none); in referenced cells
  // both skip text, logical values and empty cells.
  Value SumOrMin(const FormulaNode& node) {
    std::vector<double> numbers;
    for (const auto& argument : node.args) {
      if (const FormulaNode* range = RangeOf(*argument)) {
        if (auto error = RangeNumbers(*range, numbers)) return Value::Error(*error);
        continue;
      }
      NumberOrError number = ToNumber(Eval(*argument));
      if (auto* error = std::get_if<ErrorCode>(&number)) return Value::Error(*error);
      numbers.push_back(std::get<double>(number));
    }
    if (node.text == "MIN")
      return NumberResult(numbers.empty() ? 0 : *std::min_element(numbers.begin(), numbers.end()));
    double total = 0;
    for (double number : numbers) total += number;
    return NumberResult(total);
  }

  std::optional<ErrorCode> RangeNumbers(const FormulaNode& range, std::vector<double>& numbers) const {
    const std::optional<Box> box = BoxOf(range);
    if (!box) return ErrorCode::Ref;
    for (int row = box->top; row <= box->bottom; ++row) {
      for (int column = box->left; column <= box->right; ++column) {
        Value value = lookup_(row, column);
        if (value.type == Value::Type::Error) return value.error;
        if (value.type == Value::Type::Number) numbers.push_back(value.number);
      }
    }
    return std::nullopt;
  }

  // INDEX(range, row, column): the cell at that place of the range, counted from 1. One
  // number picks along a range of one row or one column.
  Value Index(const FormulaNode& node) {
    const FormulaNode* range = RangeOf(*node.args.at(0));
    if (!range) return Value::Error(ErrorCode::Value);
    const std::optional<Box> box = BoxOf(*range);
    if (!box) return Value::Error(ErrorCode::Ref);
    std::vector<int> place;
    for (size_t i = 1; i < node.args.size(); ++i) {
      NumberOrError number = ToNumber(Eval(*node.args[i]));
      if (auto* error = std::get_if<ErrorCode>(&number)) return Value::Error(*error);
      const double whole = std::trunc(std::get<double>(number));
      if (whole < 1 || whole > kMaxRows) return Value::Error(whole == 0 ? ErrorCode::Value : ErrorCode::Ref);
      place.push_back(static_cast<int>(whole));
    }
    int row = place[0], column = place.size() > 1 ? place[1] : 1;
    if (place.size() == 1 && box->Height() == 1) std::swap(row, column);
    if (place.size() == 1 && box->Height() > 1 && box->Width() > 1) return Value::Error(ErrorCode::Ref);
    if (row > box->Height() || column > box->Width()) return Value::Error(ErrorCode::Ref);
    return lookup_(box->top + row - 1, box->left + column - 1);
  }

  // MATCH(value, range, type): the place, from 1, of value in a range of one row or one
  // column. Type 0 finds the first equal value; 1 (the default) the last value not above
  // it and -1 the last not below it, in a range sorted up or down. Cells of another kind
  // than value are passed over; #N/A when nothing matches.
  Value Match(const FormulaNode& node) {
    Value wanted = Eval(*node.args.at(0));
    if (wanted.type == Value::Type::Error) return wanted;
    if (wanted.type == Value::Type::Empty) wanted = Value::Number(0);
    const FormulaNode* range = RangeOf(*node.args.at(1));
    const std::optional<Box> box = range ? BoxOf(*range) : std::nullopt;
    if (!box || (box->Height() > 1 && box->Width() > 1)) return Value::Error(ErrorCode::NA);
    double type = 1;
    if (node.args.size() > 2) {
      NumberOrError number = ToNumber(Eval(*node.args[2]));
      if (auto* error = std::get_if<ErrorCode>(&number)) return Value::Error(*error);
      type = std::trunc(std::get<double>(number));
    }
    const int count = std::max(box->Height(), box->Width());
    int found = 0;
    for (int i = 0; i < count; ++i) {
      const Value value = box->Height() > 1 ? lookup_(box->top + i, box->left) : lookup_(box->top, box->left + i);
      if (value.type != wanted.type) continue;
      const int order = Compare(value, wanted);
      if (type == 0 && order == 0) return Value::Number(i + 1);
      if (type == 0) continue;
      if (type > 0 ? order > 0 : order < 0) break;
      found = i + 1;
    }
    return found ? Value::Number(found) : Value::Error(ErrorCode::NA);
  }

  int hostRow_, hostColumn_;
  const CellLookup& lookup_;
};

}  // namespace

Value Evaluate(const FormulaNode& formula, int hostRow, int hostColumn, const CellLookup& lookup) {
  Value result = Evaluator(hostRow, hostColumn, lookup).Eval(formula);
  if (result.type == Value::Type::Empty) return Value::Number(0);
  if (result.type == Value::Type::Number) return NumberResult(result.number);
  return result;
}

}  // namespace tallowmere::engine
