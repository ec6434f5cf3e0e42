#include "model/parameter_checks.h"

#include <algorithm>
#include <cmath>

#include "model/text_values.h"

namespace tallowmere {
namespace {

constexpr double kLargestWholeNumber = 2147483647.0;
constexpr double kSmallestYear = 1970;
constexpr double kFewestWeeks = 1;
constexpr double kMostWeeks = 100;

const char* const kYearMessage = "Year can't be less then 1970.\r\nPlease change year to necessary value.";
const char* const kFewWeeksMessage =
    "Week number can't be less then 1.\r\nPlease change week's number to necessary value.";
const char* const kManyWeeksMessage =
    "Week number can't be greater then 100.\r\nPlease change week's number to necessary value.";
const char* const kStartAfterEndMessage =
    "Start year can't be greater then end year.\r\nPlease change year to necessary value.";

// The numeric value of a field rounded to a whole number, halves to even. Kept in double
// so that any typed number compares without overflow.
double RoundedValue(std::string_view text) { return std::nearbyint(NumericValue(text)); }

// A year of the range check, held within the whole-number range so that the text written
// back stays a plain number even for absurd input.
double RangeYear(std::string_view text) {
  return std::clamp(RoundedValue(text), -kLargestWholeNumber - 1, kLargestWholeNumber);
}

// A whole number of the whole-number range in plain decimal digits ("-0" written as "0").
std::string DecimalText(double value) { return std::to_string(static_cast<long long>(value)); }

std::string SpanMessage(int span, const char* modeWord) {
  return "Start year can't be greater then end year by more then " + std::to_string(span) + " years in " + modeWord +
         ".\r\nPlease change year to necessary value.";
}

}  // namespace

FieldCheck CheckYear(std::string_view fieldText, int currentYear) {
  FieldCheck check;
  double year = RoundedValue(fieldText);
  if (year < 100) year += 2000;
  if (year < kSmallestYear || year > kLargestWholeNumber) {
    year = currentYear;
    check.rejected = true;
    check.message = kYearMessage;
  }
  check.text = DecimalText(year);
  return check;
}

FieldCheck CheckWeekCount(std::string_view fieldText) {
  FieldCheck check;
  double weeks = RoundedValue(fieldText);
  if (weeks < kFewestWeeks) {
    weeks = kFewestWeeks;
    check.rejected = true;
    check.message = kFewWeeksMessage;
  } else if (weeks > kMostWeeks) {
    weeks = kMostWeeks;
    check.rejected = true;
    check.message = kManyWeeksMessage;
  }
  check.text = DecimalText(weeks);
  return check;
}

RangeCheck CheckYearRange(std::string_view firstText, std::string_view lastText, PeriodMode mode) {
  RangeCheck check;
  const double first = RangeYear(firstText);
  double last = RangeYear(lastText);
  if (mode != PeriodMode::Week) {
    const int span = mode == PeriodMode::Year ? 100 : 10;
    if (last < first) {
      last = first;
      check.rejected = true;
      check.message = kStartAfterEndMessage;
    } else if (last - first > span) {
      last = first;
      check.rejected = true;
      check.message = SpanMessage(span, mode == PeriodMode::Year ? "Year mode" : "Month mode");
    }
  }
  check.lastText = DecimalText(last);
  return check;
}

}  // namespace tallowmere
