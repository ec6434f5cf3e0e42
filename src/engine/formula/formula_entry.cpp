// What a text written into a cell becomes, read as a spreadsheet reads typed input.

#include <cctype>
#include <charconv>

#include "engine/formula/internal/formula_internal.h"
#include "text/unicode.h"

namespace tallowmere::engine {

namespace {

constexpr std::size_t kMaxCellText = 32767;  // characters a cell can hold
constexpr std::string_view kImpliedDateFormat = "m/d/yyyy";
constexpr std::string_view kImpliedScientificFormat = "0.00E+00";

bool ReadNumber(std::string_view text, int& value) {
  if (text.empty() || text.size() > 4) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Two-digit years 00..29 are 2000..2029, 30..99 are 1930..1999.
int FullYear(int year, std::size_t digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

// A date month/day/year ("1/1/2013", "12/31/13"), as its serial number.
std::optional<double> ParseDate(std::string_view text) {
  std::size_t first = text.find('/');
  std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  std::string_view yearText = text.substr(second + 1);
  int month = 0, day = 0, year = 0;
  if (!ReadNumber(text.substr(0, first), month) || !ReadNumber(text.substr(first + 1, second - first - 1), day) ||
      !ReadNumber(yearText, year) || yearText.size() == 3 || text.substr(0, first).size() > 2 || second - first - 1 > 2)
    return std::nullopt;
  year = FullYear(year, yearText.size());
  if (year < 1900 || month < 1 || month > 12 || day < 1) return std::nullopt;
  // The day must exist in its month; 29 February 1900 exists in this date system.
  double serial = DateSerial(year, month, day);
  int checkYear, checkMonth, checkDay;
  SerialToDate(serial, checkYear, checkMonth, checkDay);
  if (checkYear != year || checkMonth != month || checkDay != day) return std::nullopt;
  return serial;
}

std::optional<Value> ParseConstant(std::string_view text) {
  if (auto number = formula_detail::ParsePlainNumber(text)) return Value::Number(*number);
  std::string upper;
  for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "TRUE" || upper == "FALSE") return Value::Boolean(upper == "TRUE");
  if (auto error = formula_detail::ParseErrorText(text)) return Value::Error(*error);
  return std::nullopt;
}

}  // namespace

CellEntry ParseCellEntry(std::string_view text) {
  CellEntry entry;
  if (text.empty()) return entry;
  if (text.front() == '=') {
    entry.formula = ParseFormulaR1C1(text.substr(1));
    return entry;
  }
  if (Utf16Length(text) > kMaxCellText) throw FormulaError("Text values in a cell are limited to 32767 characters");
  if (text.front() == '\'') {
    entry.value = Value::String(std::string(text.substr(1)));
    return entry;
  }
  if (auto constant = ParseConstant(text)) {
    entry.value = *constant;
    // A number typed with an exponent is shown in scientific form.
    if (constant->type == Value::Type::Number && text.find_first_of("eE") != std::string_view::npos)
      entry.impliedNumberFormat = kImpliedScientificFormat;
    return entry;
  }
  if (auto date = ParseDate(text)) {
    entry.value = Value::Number(*date);
    entry.impliedNumberFormat = kImpliedDateFormat;
    return entry;
  }
  entry.value = Value::String(std::string(text));
  return entry;
}

}  // namespace tallowmere::engine
