#include "model/text_values.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <ctime>
#include <stdexcept>
#include <string>

#include "platform/local_time.h"

namespace tallowmere {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

double NumericValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && IsDigit(text[i])) {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return 0.0;
  // An exponent counts only when digits follow it ("1e3" is 1000, "1e" is 1).
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      number += 'e';
      number.append(text.substr(i + 1, j - i - 1));
      while (j < text.size() && IsDigit(text[j])) number += text[j++];
    }
  }
  const double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value) ? value : (value > 0 ? HUGE_VAL : -HUGE_VAL);
}

std::string PlainDecimalText(std::string_view text) {
  const double value = NumericValue(text);
  if (!std::isfinite(value)) return std::string(text);
  if (value == 0.0) return "0";  // no "-0"
  // Shortest round-trip digits in fixed notation; a double needs at most 1077 characters.
  std::array<char, 1100> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return std::string(buffer.data(), result.ptr);
}

int WholeNumber(double value) {
  const double rounded = std::nearbyint(value);  // default rounding mode: halves to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw std::overflow_error("Overflow");
  return static_cast<int>(rounded);
}

int WholeNumberOf(std::string_view text) { return WholeNumber(NumericValue(text)); }

bool ParseBoolean(std::string_view text) {
  const std::string_view t = Trim(text);
  if (EqualsIgnoringCase(t, "true")) return true;
  if (EqualsIgnoringCase(t, "false")) return false;
  if (!t.empty() && t.find_first_not_of("0123456789+-.eE") == std::string_view::npos) {
    const std::string s(t);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end && *end == '\0' && !std::isnan(v)) return v != 0.0;
  }
  throw std::invalid_argument("Type mismatch");
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

std::string CurrentYearText() { return std::to_string(LocalTime(std::time(nullptr)).tm_year + 1900); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && EqualsIgnoringCase(text.substr(text.size() - end.size()), end);
}

}  // namespace tallowmere
