// Reading and writing the values of amount rules as texts.
#include "model/amount_rules.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "platform/local_time.h"

namespace tallowmere {
namespace {

using namespace std::chrono;

constexpr Cents kMoneyLimit = 100'000'000'000'000;  // a trillion, in hundredths
constexpr int kLeastGrowth = -9999;                 // -99.99 %
constexpr int kMostGrowth = 100'000;                // 1000 %

[[noreturn]] void Refuse(std::string_view text, const std::string& what) {
  throw std::invalid_argument("\"" + std::string(text) + "\" " + what);
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::optional<Cents> HundredthsOf(std::string_view text) {
  text = Trimmed(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view decimals = point == std::string_view::npos ? "" : text.substr(point + 1);
  if (!AllDigits(whole) || whole.size() > 15 || decimals.size() > 2) return std::nullopt;
  if (point != std::string_view::npos && decimals.empty()) return std::nullopt;
  if (!decimals.empty() && !AllDigits(decimals)) return std::nullopt;
  Cents value = 0;
  std::from_chars(whole.data(), whole.data() + whole.size(), value);
  Cents fraction = 0;
  std::from_chars(decimals.data(), decimals.data() + decimals.size(), fraction);
  value = value * 100 + (decimals.size() == 1 ? fraction * 10 : fraction);
  return negative ? -value : value;
}

int ParseNumber(std::string_view text, size_t at, size_t length) {
  int value = 0;
  const std::string_view part = text.substr(at, length);
  if (!AllDigits(part)) return -1;
  std::from_chars(part.data(), part.data() + part.size(), value);
  return value;
}

const std::array<std::string, 7> kRepeatWords = {"once",    "weekly",    "2 weeks", "4 weeks",
                                                 "monthly", "quarterly", "yearly"};

}  // namespace

Cents ParseMoney(std::string_view text) {
  const std::optional<Cents> value = HundredthsOf(text);
  if (!value || *value <= -kMoneyLimit || *value >= kMoneyLimit)
    Refuse(text, "is not a number with at most two decimals and \".\" as the decimal point, like 1250.50.");
  return *value;
}

Cents ParseAmount(std::string_view text) {
  const Cents value = ParseMoney(text);
  if (value <= 0) Refuse(text, "is no amount: amounts are entered as numbers above 0.");
  return value;
}

Cents ParseMinimumCash(std::string_view text) {
  const Cents value = ParseMoney(text);
  if (value < 0) Refuse(text, "is no minimum cash: the reserve to keep is 0 or more.");
  return value;
}

int ParseGrowth(std::string_view text) {
  const std::optional<Cents> value = HundredthsOf(text);
  if (!value || *value < kLeastGrowth || *value > kMostGrowth)
    Refuse(text, "is no growth: give a percent per year from -99.99 to 1000, with at most two decimals.");
  return static_cast<int>(*value);
}

Date ParseDate(std::string_view typed) {
  const std::string_view text = Trimmed(typed);
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
  const Date date = shaped ? Date{year{ParseNumber(text, 0, 4)}, month{static_cast<unsigned>(ParseNumber(text, 5, 2))},
                                  day{static_cast<unsigned>(ParseNumber(text, 8, 2))}}
                           : Date{};
  if (!shaped || !date.ok() || date < kFirstDate || date > kLastDate)
    Refuse(typed, "is not a date written YYYY-MM-DD from 1900-01-01 to 9999-12-31.");
  return date;
}

Repeat ParseRepeat(std::string_view text) {
  for (size_t i = 0; i < kRepeatWords.size(); ++i)
    if (Trimmed(text) == kRepeatWords[i]) return static_cast<Repeat>(i);
  Refuse(text, "is no repeat: give once, weekly, 2 weeks, 4 weeks, monthly, quarterly or yearly.");
}

void CheckRule(const AmountRule& rule) {
  if (rule.last && *rule.last < rule.first)
    throw std::invalid_argument("The last date " + DateText(*rule.last) + " lies before the first date " +
                                DateText(rule.first) + ".");
}

std::string MoneyText(Cents value) {
  const Cents size = value < 0 ? -value : value;
  std::string text = (value < 0 ? "-" : "") + std::to_string(size / 100);
  const Cents fraction = size % 100;
  if (fraction == 0) return text;
  text += '.';
  text += static_cast<char>('0' + fraction / 10);
  if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  return text;
}

std::string DateText(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return text;
}

std::string RepeatText(Repeat repeat) { return kRepeatWords.at(static_cast<size_t>(repeat)); }

const std::vector<std::string>& RepeatTexts() {
  static const std::vector<std::string> words(kRepeatWords.begin(), kRepeatWords.end());
  return words;
}

Date MondayAfter(const Date& date) {
  const sys_days from{date};
  const weekday today{from};
  return Date{from + (Monday - today) + days{today == Monday ? 7 : 0}};
}

Date Week1Of(const ForecastSettings& settings) {
  if (settings.week1) return *settings.week1;
  const std::tm local = LocalTime(std::time(nullptr));
  return MondayAfter(Date{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                          day{static_cast<unsigned>(local.tm_mday)}});
}

}  // namespace tallowmere
