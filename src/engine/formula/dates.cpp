// Dates of the 1900 date system. Serial numbers count days from 1900-01-01 = 1 and, as
// spreadsheets always have, include a 29 February 1900 (serial 60) that never existed, so
// every serial from 61 (1900-03-01) on is one more than the real day count.

#include <chrono>
#include <cmath>

#include "engine/formula/formula.h"

namespace tallowmere::engine {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr sys_days kDayZero = sys_days{std::chrono::year{1899} / 12 / 31};
constexpr int kFictitiousLeapDay = 60;

long long RealDaysSinceDayZero(int year, unsigned month) {
  sys_days first = sys_days{std::chrono::year{year} / std::chrono::month{month} / 1};
  return (first - kDayZero).count();
}

}  // namespace

double DateSerial(int year, int month, int day) {
  // Months beyond 12 or below 1 move into the following or earlier years.
  long long monthIndex = static_cast<long long>(year) * 12 + (static_cast<long long>(month) - 1);
  long long normalisedYear = monthIndex >= 0 ? monthIndex / 12 : -((-monthIndex + 11) / 12);
  long long normalisedMonth = monthIndex - normalisedYear * 12 + 1;
  if (normalisedYear < -30000 || normalisedYear > 30000) return std::nan("");
  long long first = RealDaysSinceDayZero(static_cast<int>(normalisedYear), static_cast<unsigned>(normalisedMonth));
  if (first >= kFictitiousLeapDay) ++first;  // from March 1900 on, count the fictitious day
  return static_cast<double>(first + day - 1);
}

void SerialToDate(double serial, int& year, int& month, int& day) {
  year = month = day = 0;
  if (!(serial >= 0 && serial < kLastDateSerial + 1)) return;
  long long whole = static_cast<long long>(std::floor(serial));
  if (whole == 0) {
    year = 1900, month = 1, day = 0;
    return;
  }
  if (whole == kFictitiousLeapDay) {
    year = 1900, month = 2, day = 29;
    return;
  }
  if (whole > kFictitiousLeapDay) --whole;
  year_month_day date{kDayZero + days{whole}};
  year = static_cast<int>(date.year());
  month = static_cast<int>(static_cast<unsigned>(date.month()));
  day = static_cast<int>(static_cast<unsigned>(date.day()));
}

}  // namespace tallowmere::engine
