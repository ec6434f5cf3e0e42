#pragma once
// Spreads amount rules over the periods of a plan: every occurrence of a rule adds its
// amount, grown by the anniversaries of the rule's first date, to the period it falls in.

#include <chrono>
#include <vector>

#include "model/amount_rules.h"
#include "model/report_parameters.h"

namespace tallowmere {

// The periods of a plan as days: period i runs from starts[i] up to starts[i + 1].
struct PeriodGrid {
  std::vector<std::chrono::sys_days> starts;  // one more than there are periods
  int PeriodCount() const { return static_cast<int>(starts.size()) - 1; }
};

// Calendar years (By Year), calendar months (By Month) or seven-day weeks from week1 (By
// Week), as many as the sheet has period columns. Years past 9999 become empty periods at
// the end of 9999, where no rule reaches. Throws like WholeNumberOf for fields that are no
// whole numbers.
PeriodGrid GridOf(const ReportParameters& parameters, const Date& week1);

// The amount of each column in hundredths: [0] before the first period (the sheet's
// "Pre-Startup EST" column), [i] period i. Occurrences after the last period are left out.
// A sum beyond the range of Cents stays at its largest value.
std::vector<Cents> ExpandRules(const std::vector<AmountRule>& rules, const PeriodGrid& grid);

// The amount of the occurrence on date: the rule's amount grown once for each anniversary
// of its first date up to date, rounded to hundredths, and at most 10^17 of them.
Cents GrownAmount(const AmountRule& rule, const Date& date);

}  // namespace tallowmere
