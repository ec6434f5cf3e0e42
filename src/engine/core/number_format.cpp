// Number format codes: a format is split into sections, a section into tokens (literals,
// digit placeholders, date and time codes), and the tokens are filled from the value.
// Rounding is half away from zero on the value's first 15 significant digits, as a
// spreadsheet rounds for display, so 1.005 with "0.00" shows 1.01.

#include "engine/core/number_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tallowmere::engine {

namespace {

// ---- Decimal digits of a non-negative number --------------------------------------

// value = 0.digits x 10^point: "123" with point 2 is 12.3; no trailing zeros; zero is "".
struct Decimal {
  std::string digits;
  int point = 0;
};

void TrimTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

Decimal ToDecimal(double value) {
  Decimal d;
  if (!(value > 0) || !std::isfinite(value)) return d;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);  // d.dddddddddddddde+XX
  std::string text = buffer;
  std::size_t e = text.find('e');
  d.digits = text.substr(0, 1) + text.substr(2, e - 2);
  d.point = std::atoi(text.c_str() + e + 1) + 1;
  TrimTrailingZeros(d);
  return d;
}

// Rounds half away from zero to the given number of decimals (negative: tens, hundreds).
void RoundTo(Decimal& d, int decimals) {
  int keep = d.point + decimals;
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d = Decimal{};
    return;
  }
  bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9'; --i) d.digits[static_cast<std::size_t>(i)] = '0';
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    } else {
      ++d.digits[static_cast<std::size_t>(i)];
    }
  }
  TrimTrailingZeros(d);
}

std::string IntegerDigits(const Decimal& d) {
  if (d.point <= 0) return {};
  std::string digits = d.digits.substr(0, static_cast<std::size_t>(d.point));
  return digits + std::string(static_cast<std::size_t>(d.point) - digits.size(), '0');
}

std::string FractionDigits(const Decimal& d, int decimals) {
  std::string out;
  for (int i = 0; i < decimals; ++i) {
    int at = d.point + i;
    out += at >= 0 && at < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(at)] : '0';
  }
  return out;
}

std::string ExponentText(int exponent, bool plusSign, int minDigits) {
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return (exponent < 0 ? "-" : plusSign ? "+" : "") + digits;
}

// ---- Tokens -----------------------------------------------------------------------

enum class T {
  Literal,
  Zero,
  Hash,
  Question,
  Point,
  Comma,
  Percent,
  Exponent,
  Year,
  Month,
  Day,
  Hour,
  Minute,
  Second,
  AmPm,
  General,
  Text
};

struct Token {
  T type;
  std::string text;      // literal text; the code as written for date codes and AM/PM
  int count = 1;         // repeat count of a date or time code ("mmm" is 3)
  bool plus = false;     // exponent written E+
  bool elapsed = false;  // [h], [mm] or [ss]: the whole time in that unit, days included
};

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != std::tolower(static_cast<unsigned char>(word[i])))
      return false;
  return true;
}

std::vector<Token> Tokenize(std::string_view s) {
  std::vector<Token> tokens;
  auto literal = [&](std::string text) { tokens.push_back({T::Literal, std::move(text)}); };
  for (std::size_t i = 0; i < s.size();) {
    char c = s[i];
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '"') {
      std::size_t end = s.find('"', i + 1);
      if (end == std::string_view::npos) end = s.size();
      literal(std::string(s.substr(i + 1, end - i - 1)));
      i = end + 1;
    } else if (c == '\\' || c == '_' || c == '*') {  // escaped character, space of its width, fill
      if (i + 1 < s.size() && c != '*') literal(c == '\\' ? std::string(1, s[i + 1]) : " ");
      i += 2;
    } else if (c == '[') {  // elapsed time; or colour, condition or locale: no effect on the text
      std::size_t end = s.find(']', i);
      if (end == std::string_view::npos) end = s.size();
      const std::string_view inside = s.substr(i + 1, end - i - 1);
      const char unit = inside.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(inside[0])));
      if ((unit == 'h' || unit == 'm' || unit == 's') &&
          std::ranges::all_of(inside, [unit](char x) { return std::tolower(static_cast<unsigned char>(x)) == unit; })) {
        const T type = unit == 'h' ? T::Hour : unit == 'm' ? T::Minute : T::Second;
        tokens.push_back({type, std::string(inside), static_cast<int>(inside.size()), false, true});
      }
      i = end + 1;
    } else if (StartsWithNoCase(s, i, "General")) {
      tokens.push_back({T::General, ""});
      i += 7;
    } else if (StartsWithNoCase(s, i, "AM/PM") || StartsWithNoCase(s, i, "A/P")) {
      std::size_t length = StartsWithNoCase(s, i, "AM/PM") ? 5 : 3;
      tokens.push_back({T::AmPm, std::string(s.substr(i, length))});
      i += length;
    } else if (lower == 'e' && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      tokens.push_back({T::Exponent, "", 1, s[i + 1] == '+'});
      i += 2;
    } else if (std::string_view("ymdhs").find(lower) != std::string_view::npos) {
      std::size_t end = i;
      while (end < s.size() && std::tolower(static_cast<unsigned char>(s[end])) == lower) ++end;
      T type = lower == 'y'   ? T::Year
               : lower == 'm' ? T::Month
               : lower == 'd' ? T::Day
               : lower == 'h' ? T::Hour
                              : T::Second;
      tokens.push_back({type, std::string(s.substr(i, end - i)), static_cast<int>(end - i)});
      i = end;
    } else {
      switch (c) {
        case '0': tokens.push_back({T::Zero, ""}); break;
        case '#': tokens.push_back({T::Hash, ""}); break;
        case '?': tokens.push_back({T::Question, ""}); break;
        case '.': tokens.push_back({T::Point, ""}); break;
        case ',': tokens.push_back({T::Comma, ""}); break;
        case '%': tokens.push_back({T::Percent, ""}); break;
        case '@': tokens.push_back({T::Text, ""}); break;
        default: literal(std::string(1, c));
      }
      ++i;
    }
  }
  return tokens;
}

std::vector<std::string> SplitSections(const std::string& format) {
  std::vector<std::string> sections(1);
  bool quoted = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '"') quoted = !quoted;
    if (c == ';' && !quoted) {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
    if (c == '\\' && i + 1 < format.size()) sections.back() += format[++i];
  }
  return sections;
}

bool IsDigitPlaceholder(T type) { return type == T::Zero || type == T::Hash || type == T::Question; }
bool IsDateToken(T type) { return type >= T::Year && type <= T::AmPm; }

bool HasDateTokens(const std::vector<Token>& tokens) {
  return std::ranges::any_of(tokens, [](const Token& t) { return IsDateToken(t.type); });
}

// ---- Dates --------------------------------------------------------------------------

constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// An hour, minute or second count, two digits at least for a doubled code ("hh").
std::string TimeDigits(long long n, int count) { return (count >= 2 && n < 10 ? "0" : "") + std::to_string(n); }

// "m" is minutes right after an hour code or right before a seconds code, else months.
void MarkMinutes(std::vector<Token>& tokens) {
  int previous = -1;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (!IsDateToken(tokens[i].type) || tokens[i].type == T::AmPm) continue;
    if (tokens[i].type == T::Month && previous >= 0 && tokens[static_cast<std::size_t>(previous)].type == T::Hour &&
        tokens[i].count <= 2)
      tokens[i].type = T::Minute;
    if (tokens[i].type == T::Second && previous >= 0 && tokens[static_cast<std::size_t>(previous)].type == T::Month &&
        tokens[static_cast<std::size_t>(previous)].count <= 2)
      tokens[static_cast<std::size_t>(previous)].type = T::Minute;
    previous = static_cast<int>(i);
  }
}

std::string FormatDate(double serial, std::vector<Token> tokens) {
  if (!(serial >= 0 && serial < kLastDateSerial + 1)) return "########";
  long long seconds = std::llround(serial * 86400.0);
  double day = static_cast<double>(seconds / 86400);
  int secondOfDay = static_cast<int>(seconds % 86400);
  int year, month, dayOfMonth;
  SerialToDate(day, year, month, dayOfMonth);
  if (year == 0) return "########";
  MarkMinutes(tokens);
  bool twelveHour = std::ranges::any_of(tokens, [](const Token& t) { return t.type == T::AmPm; });
  int hour = secondOfDay / 3600, minute = secondOfDay / 60 % 60, second = secondOfDay % 60;
  std::string out;
  for (const Token& t : tokens) {
    switch (t.type) {
      case T::Year: out += t.count <= 2 ? TwoDigits(year % 100) : std::to_string(year); break;
      case T::Month:
        if (t.count == 1)
          out += std::to_string(month);
        else if (t.count == 2)
          out += TwoDigits(month);
        else if (t.count == 3)
          out += std::string(kMonths[static_cast<std::size_t>(month - 1)]).substr(0, 3);
        else if (t.count == 4)
          out += kMonths[static_cast<std::size_t>(month - 1)];
        else
          out += kMonths[static_cast<std::size_t>(month - 1)][0];
        break;
      case T::Day: {
        const char* weekday = kWeekdays[static_cast<std::size_t>((static_cast<long long>(day) + 6) % 7)];
        if (t.count == 1)
          out += std::to_string(dayOfMonth);
        else if (t.count == 2)
          out += TwoDigits(dayOfMonth);
        else
          out += t.count == 3 ? std::string(weekday).substr(0, 3) : std::string(weekday);
        break;
      }
      case T::Hour: {
        const long long shown = t.elapsed ? seconds / 3600 : twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
        out += TimeDigits(shown, t.count);
        break;
      }
      case T::Minute: out += TimeDigits(t.elapsed ? seconds / 60 : minute, t.count); break;
      case T::Second: out += TimeDigits(t.elapsed ? seconds : second, t.count); break;
      case T::AmPm: {
        bool pm = hour >= 12;
        bool lowerCase = std::islower(static_cast<unsigned char>(t.text[0])) != 0;
        std::string mark = t.text.size() == 5 ? (pm ? "PM" : "AM") : (pm ? "P" : "A");
        if (lowerCase)
          std::ranges::transform(mark, mark.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
        out += mark;
        break;
      }
      case T::Literal: out += t.text; break;
      case T::Point: out += '.'; break;
      case T::Comma: out += ','; break;
      case T::Percent: out += '%'; break;
      case T::Zero: out += '0'; break;  // fractions of a second are not shown
      default: break;
    }
  }
  return out;
}

// ---- Numbers ------------------------------------------------------------------------

struct NumberLayout {
  // The '0' and '?' before the point, in order: the minimum integer digits. A missing
  // digit shows as 0 for '0' and as a space for '?'.
  std::string integerPads;
  // Every placeholder after the point, in order: a trailing zero shows for '0', a space
  // for '?' and nothing for '#'.
  std::string decimalPlaceholders;
  bool point = false;
  bool grouping = false;   // a comma between integer placeholders
  int thousandsScale = 0;  // commas right after the last integer placeholder
  int percent = 0;
  bool exponent = false;
  bool exponentPlus = false;
  int exponentDigits = 0;
  bool anyPlaceholder = false;
};

NumberLayout Analyse(const std::vector<Token>& tokens) {
  NumberLayout layout;
  bool afterPoint = false, afterExponent = false;
  // Commas after a digit placeholder: grouping when another integer placeholder follows,
  // a division by a thousand each when they end the number (before or after the point).
  int pendingCommas = 0;
  for (const Token& t : tokens) {
    const char placeholder = t.type == T::Zero ? '0' : t.type == T::Question ? '?' : '#';
    if (IsDigitPlaceholder(t.type)) {
      layout.anyPlaceholder = true;
      if (afterExponent) {
        ++layout.exponentDigits;
      } else if (afterPoint) {
        layout.decimalPlaceholders += placeholder;
      } else {
        if (pendingCommas > 0) layout.grouping = true;
        if (t.type != T::Hash) layout.integerPads += placeholder;
      }
      pendingCommas = 0;
    } else if (t.type == T::Comma && !afterExponent && layout.anyPlaceholder) {
      ++pendingCommas;
    } else if (t.type == T::Point && !afterExponent && !afterPoint) {
      afterPoint = layout.point = true;
      layout.thousandsScale += pendingCommas;
      pendingCommas = 0;
    } else if (t.type == T::Percent) {
      ++layout.percent;
    } else if (t.type == T::Exponent) {
      afterExponent = layout.exponent = true;
      layout.exponentPlus = t.plus;
    }
  }
  layout.thousandsScale += pendingCommas;
  return layout;
}

std::string Grouped(const std::string& digits) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// The digits of a non-negative value under the layout, e.g. "1,234.50" or "1.23E+03".
std::string NumberDigits(double value, const NumberLayout& layout) {
  for (int i = 0; i < layout.percent; ++i) value *= 100;
  for (int i = 0; i < layout.thousandsScale; ++i) value /= 1000;
  if (!std::isfinite(value)) return "########";  // scaled past the largest number by many '%'
  Decimal d = ToDecimal(value);
  const int decimals = static_cast<int>(layout.decimalPlaceholders.size());
  int exponent = 0;
  if (layout.exponent && !d.digits.empty()) {
    int integerDigits = std::max(1, static_cast<int>(layout.integerPads.size()));
    exponent = d.point - integerDigits;
    d.point = integerDigits;
    RoundTo(d, decimals);
    if (d.point > integerDigits) {
      d.point = integerDigits;
      ++exponent;
    }
  } else {
    RoundTo(d, decimals);
  }
  std::string integer = IntegerDigits(d);
  if (layout.grouping) integer = Grouped(integer);
  // The placeholders a short number leaves empty, from the right: "???" shows 5 as "  5".
  for (std::size_t digits = IntegerDigits(d).size(); digits < layout.integerPads.size(); ++digits)
    integer.insert(0, 1, layout.integerPads[layout.integerPads.size() - 1 - digits] == '?' ? ' ' : '0');
  std::string fraction = FractionDigits(d, decimals);
  for (std::size_t i = fraction.size(); i > 0 && fraction[i - 1] == '0' && layout.decimalPlaceholders[i - 1] != '0';
       --i) {
    if (layout.decimalPlaceholders[i - 1] == '?')
      fraction[i - 1] = ' ';
    else
      fraction.erase(i - 1);
  }
  std::string out = integer;
  if (layout.point) out += "." + fraction;
  if (layout.exponent) out += "E" + ExponentText(exponent, layout.exponentPlus, layout.exponentDigits);
  return out;
}

std::string FormatNumber(double magnitude, const std::vector<Token>& tokens, bool minus) {
  NumberLayout layout = Analyse(tokens);
  std::string out = minus ? "-" : "";
  bool numberWritten = false;
  for (const Token& t : tokens) {
    if (t.type == T::Literal) {
      out += t.text;
    } else if (t.type == T::Percent) {
      out += '%';
    } else if (t.type == T::General || t.type == T::Text) {
      out += FormatGeneral(magnitude);
    } else if ((IsDigitPlaceholder(t.type) || t.type == T::Point) && !numberWritten) {
      out += NumberDigits(magnitude, layout);
      numberWritten = true;
    }
  }
  return out;
}

std::string FormatSection(double magnitude, const std::string& section, bool minus) {
  std::vector<Token> tokens = Tokenize(section);
  if (HasDateTokens(tokens)) return minus ? "########" : FormatDate(magnitude, std::move(tokens));
  return FormatNumber(magnitude, tokens, minus);
}

}  // namespace

std::string FormatGeneral(double number) {
  if (number == 0 || !std::isfinite(number)) return std::isfinite(number) ? "0" : "#NUM!";
  std::string sign = number < 0 ? "-" : "";
  Decimal d = ToDecimal(std::abs(number));
  constexpr int kWidth = 11;
  if (d.point > -4 && d.point <= kWidth) {
    Decimal fixed = d;
    RoundTo(fixed, std::max(0, kWidth - std::max(fixed.point, 1) - 1));
    if (!fixed.digits.empty() && fixed.point <= kWidth) {
      std::string integer = IntegerDigits(fixed);
      std::string fraction = FractionDigits(fixed, static_cast<int>(fixed.digits.size()) - fixed.point);
      return sign + (integer.empty() ? "0" : integer) + (fraction.empty() ? "" : "." + fraction);
    }
  }
  // Scientific: one integer digit, an exponent of at least two digits and up to five
  // decimals, four with an exponent of three digits.
  int exponent = d.point - 1;
  d.point = 1;
  for (bool rounded = false; !rounded;) {
    RoundTo(d, std::abs(exponent) >= 100 ? 4 : 5);
    rounded = d.point == 1;
    if (!rounded) {  // rounded up to the next power of ten
      d.point = 1;
      ++exponent;
    }
  }
  std::string fraction = FractionDigits(d, static_cast<int>(d.digits.size()) - 1);
  return sign + d.digits.substr(0, 1) + (fraction.empty() ? "" : "." + fraction) + "E" +
         ExponentText(exponent, true, 2);
}

std::string FormatForDisplay(const Value& value, const std::string& numberFormat) {
  switch (value.type) {
    case Value::Type::Empty: return {};
    case Value::Type::String: return value.text;
    case Value::Type::Boolean: return value.number != 0 ? "TRUE" : "FALSE";
    case Value::Type::Error: return std::string(ErrorText(value.error));
    case Value::Type::Number: break;
  }
  double number = value.number;
  if (!std::isfinite(number)) return "#NUM!";
  std::vector<std::string> sections = SplitSections(numberFormat);
  if (sections.size() == 1 && (sections[0].empty() || StartsWithNoCase(sections[0], 0, "General")) &&
      sections[0].size() <= 7)
    return FormatGeneral(number);
  // Positive; negative (shown without its own minus); zero. One section serves all.
  if (number < 0 && sections.size() >= 2) return FormatSection(-number, sections[1], false);
  if (number == 0 && sections.size() >= 3) return FormatSection(0, sections[2], false);
  return FormatSection(std::abs(number), sections[0], number < 0);
}

bool IsDateFormat(const std::string& numberFormat) {
  return HasDateTokens(Tokenize(SplitSections(numberFormat).front()));
}

}  // namespace tallowmere::engine
