#pragma once
// Amount rules: what an item receives or pays, how often, from when to when and growing by
// how much a year; and the settings of a plan with numbers: its opening cash, the first
// day of Week 1 and the minimum cash it means to keep. Texts typed into a field or read from a file become these values
// through the Parse functions, which throw std::invalid_argument saying what is wrong.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallowmere {

using Date = std::chrono::year_month_day;
using Cents = std::int64_t;  // an amount in hundredths

enum class Repeat { Once, Weekly, TwoWeeks, FourWeeks, Monthly, Quarterly, Yearly };

struct AmountRule {
  Cents amount = 0;  // more than 0; the sheet's formulas give the sign
  Repeat repeat = Repeat::Once;
  Date first{};
  std::optional<Date> last;   // the last day an occurrence may fall on
  std::optional<int> growth;  // per year, in hundredths of a percent
  bool operator==(const AmountRule&) const = default;
};

// The numbers of a plan beside its rules.
struct ForecastSettings {
  std::optional<Cents> openingCash;
  std::optional<Date> week1;         // empty: the Monday after today
  std::optional<Cents> minimumCash;  // the reserve to keep; empty: 0
  bool operator==(const ForecastSettings&) const = default;
};

// The earliest and latest dates a rule may name.
inline constexpr Date kFirstDate{std::chrono::year{1900}, std::chrono::January, std::chrono::day{1}};
inline constexpr Date kLastDate{std::chrono::year{9999}, std::chrono::December, std::chrono::day{31}};

// A number with "." as its decimal point and at most two decimals, optionally negative,
// below a trillion: "1250", "-3.5", "0.25".
Cents ParseMoney(std::string_view text);
// ParseMoney, refusing 0 and negative numbers.
Cents ParseAmount(std::string_view text);
// ParseMoney, refusing negative numbers: the reserve a plan keeps.
Cents ParseMinimumCash(std::string_view text);
// A percent per year written like a money amount, from -99.99 to 1000.
int ParseGrowth(std::string_view text);
// A date written YYYY-MM-DD from 1900-01-01 to 9999-12-31.
Date ParseDate(std::string_view text);
// "once", "weekly", "2 weeks", "4 weeks", "monthly", "quarterly" or "yearly".
Repeat ParseRepeat(std::string_view text);
// Throws std::invalid_argument when the last date lies before the first.
void CheckRule(const AmountRule& rule);

// The shortest text ParseMoney reads back as value: "1250", "-3.5", "0.25".
std::string MoneyText(Cents value);
std::string DateText(const Date& date);
std::string RepeatText(Repeat repeat);
// The words of every repeat, in the order of Repeat.
const std::vector<std::string>& RepeatTexts();

// The first Monday after date (a week later when date is a Monday).
Date MondayAfter(const Date& date);
// Week 1's first day of the settings: the one given, else the Monday after today.
Date Week1Of(const ForecastSettings& settings);

}  // namespace tallowmere
