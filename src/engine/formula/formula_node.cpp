// The formula tree's comparison and the small tables and text helpers every form of a
// formula shares.

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "engine/formula/internal/formula_internal.h"

namespace tallowmere::engine {

namespace {

struct ErrorName {
  ErrorCode code;
  std::string_view text;
};

constexpr std::array<ErrorName, 7> kErrorNames{{
    {ErrorCode::Null, "#NULL!"},
    {ErrorCode::Div0, "#DIV/0!"},
    {ErrorCode::Value, "#VALUE!"},
    {ErrorCode::Ref, "#REF!"},
    {ErrorCode::Name, "#NAME?"},
    {ErrorCode::Num, "#NUM!"},
    {ErrorCode::NA, "#N/A"},
}};

constexpr std::array<formula_detail::FunctionInfo, 7> kFunctions{{
    {"SUM", 4, 1, formula_detail::kMaxFunctionArguments, true},
    {"MIN", 6, 1, formula_detail::kMaxFunctionArguments, true},
    {"INDEX", 29, 2, 3, true},
    {"MATCH", 64, 2, 3, true},
    {"DATE", 65, 3, 3, false},
    {"MONTH", 68, 1, 1, false},
    {"YEAR", 69, 1, 1, false},
}};

bool SamePointee(const FormulaPtr& a, const FormulaPtr& b) {
  if (!a || !b) return a == b;
  return *a == *b;
}

}  // namespace

std::string_view ErrorText(ErrorCode error) {
  for (const auto& entry : kErrorNames)
    if (entry.code == error) return entry.text;
  return "#VALUE!";
}

bool FormulaNode::operator==(const FormulaNode& other) const {
  if (kind != other.kind) return false;
  switch (kind) {
    case Kind::Number:
    case Kind::Boolean: return number == other.number;
    case Kind::String: return text == other.text;
    case Kind::Error: return error == other.error;
    case Kind::Reference: return ref == other.ref;
    case Kind::Area: return ref == other.ref && ref2 == other.ref2;
    case Kind::Unary:
    case Kind::Binary:
      if (op != other.op) return false;
      break;
    case Kind::Function:
      if (text != other.text) return false;
      break;
    case Kind::Paren: break;
  }
  return std::ranges::equal(args, other.args, SamePointee);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

namespace formula_detail {

const FunctionInfo* FindFunction(std::string_view upperName) {
  for (const auto& function : kFunctions)
    if (function.name == upperName) return &function;
  return nullptr;
}

const FunctionInfo* FindFunction(std::uint16_t index) {
  for (const auto& function : kFunctions)
    if (function.index == index) return &function;
  return nullptr;
}

std::optional<ErrorCode> ParseErrorText(std::string_view text) {
  for (const auto& entry : kErrorNames)
    if (EqualIgnoringCase(entry.text, text)) return entry.code;
  return std::nullopt;
}

std::string NumberText(double value) {
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), ec == std::errc() ? end : buffer.data());
  std::ranges::replace(text, 'e', 'E');
  return text;
}

std::optional<double> ParsePlainNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
  // Only digits or a point may start the number: from_chars would also take "inf" and "nan".
  if (body.empty() || !(std::isdigit(static_cast<unsigned char>(body.front())) || body.front() == '.'))
    return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(value)) return std::nullopt;
  return text.front() == '-' ? -value : value;
}

}  // namespace formula_detail
}  // namespace tallowmere::engine
