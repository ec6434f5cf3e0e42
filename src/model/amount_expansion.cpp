// Expansion of amount rules onto the period grid.
#include "model/amount_expansion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/text_values.h"

namespace tallowmere {
namespace {

using namespace std::chrono;

constexpr int kLastYear = 9999;
constexpr double kGrownLimit = 1e17;  // hundredths; far beyond any plan, far below overflow

// The day number of the first of a month, for any whole-number year: years past 9999 are
// taken as the first day after 9999, where no occurrence lies.
sys_days MonthStart(long long yearNumber, int monthIndex) {
  const long long total = yearNumber * 12 + monthIndex;
  const long long clamped = std::clamp(total, 1900LL * 12, (kLastYear + 1LL) * 12);
  return sys_days{year{static_cast<int>(clamped / 12)} / month{static_cast<unsigned>(clamped % 12 + 1)} / 1};
}

// months after first, on first's day of the month or the month's last day when shorter.
Date MonthsLater(const Date& first, long long months) {
  const year_month target = year_month{first.year(), first.month()} + std::chrono::months{months};
  const Date lastDay{year_month_day_last{target.year(), month_day_last{target.month()}}};
  return Date{target.year(), target.month(), std::min(first.day(), lastDay.day())};
}

// The date of occurrence k (from 0) of rule.
Date Occurrence(const AmountRule& rule, long long k) {
  switch (rule.repeat) {
    case Repeat::Once: return rule.first;
    case Repeat::Weekly: return Date{sys_days{rule.first} + days{7 * k}};
    case Repeat::TwoWeeks: return Date{sys_days{rule.first} + days{14 * k}};
    case Repeat::FourWeeks: return Date{sys_days{rule.first} + days{28 * k}};
    case Repeat::Monthly: return MonthsLater(rule.first, k);
    case Repeat::Quarterly: return MonthsLater(rule.first, 3 * k);
    case Repeat::Yearly: return MonthsLater(rule.first, 12 * k);
  }
  return rule.first;
}

// The number of anniversaries of first from its day after up to and including date.
int Anniversaries(const Date& first, const Date& date) {
  const int years = static_cast<int>(date.year()) - static_cast<int>(first.year());
  return MonthsLater(first, 12LL * years) <= date ? years : years - 1;
}

void AddRule(const AmountRule& rule, const PeriodGrid& grid, std::vector<Cents>& columns) {
  const sys_days end = std::min(grid.starts.back() - days{1}, sys_days{rule.last.value_or(kLastDate)});
  const long long count = rule.repeat == Repeat::Once ? 1 : std::numeric_limits<long long>::max();
  for (long long k = 0; k < count; ++k) {
    const Date date = Occurrence(rule, k);
    if (!date.ok() || sys_days{date} > end) break;
    const auto after = std::upper_bound(grid.starts.begin(), grid.starts.end(), sys_days{date});
    Cents& column = columns[static_cast<size_t>(after - grid.starts.begin())];
    // Years of steep growth could pass any limit: the sum stops at the largest amount.
    if (__builtin_add_overflow(column, GrownAmount(rule, date), &column)) column = std::numeric_limits<Cents>::max();
  }
}

}  // namespace

PeriodGrid GridOf(const ReportParameters& parameters, const Date& week1) {
  PeriodGrid grid;
  const auto monthly = [&](long long firstYear, long long periods, int monthsEach) {
    for (long long i = 0; i <= std::max(periods, 0LL); ++i)
      grid.starts.push_back(MonthStart(firstYear, static_cast<int>(i * monthsEach)));
  };
  switch (parameters.mode) {
    case PeriodMode::Year: {
      const long long first = WholeNumberOf(parameters.firstYear);
      monthly(first, WholeNumberOf(parameters.lastYear) - first + 1, 12);
      break;
    }
    case PeriodMode::Month: {
      const long long first = WholeNumberOf(parameters.monthFirstYear);
      monthly(first, (WholeNumberOf(parameters.monthLastYear) - first + 1) * 12, 1);
      break;
    }
    case PeriodMode::Week:
      for (long long i = 0; i <= std::max(WholeNumberOf(parameters.weeks), 0); ++i)
        grid.starts.push_back(sys_days{week1} + days{7 * i});
      break;
  }
  return grid;
}

std::vector<Cents> ExpandRules(const std::vector<AmountRule>& rules, const PeriodGrid& grid) {
  std::vector<Cents> columns(grid.starts.size(), 0);
  for (const AmountRule& rule : rules) AddRule(rule, grid, columns);
  return columns;
}

Cents GrownAmount(const AmountRule& rule, const Date& date) {
  const int times = rule.growth ? Anniversaries(rule.first, date) : 0;
  if (times <= 0) return rule.amount;
  const double grown = static_cast<double>(rule.amount) * std::pow(1.0 + *rule.growth / 10000.0, times);
  return grown < kGrownLimit ? std::llround(grown) : static_cast<Cents>(kGrownLimit);
}

}  // namespace tallowmere
