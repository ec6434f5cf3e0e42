// A plan's numbers on the recorded layout: after the layout's own calls, only number
// writes into the item rows and C5 first, and no call at all for a plan without numbers.
#include <gtest/gtest.h>

#include "model/amounts_csv.h"
#include "sheet/cash_flow_sheet.h"
#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

std::vector<std::string> LayoutCalls(Template& tmpl, const ReportParameters& parameters) {
  RecordingFactory factory;
  SpreadsheetLink link{factory};
  link.CreateSpreadsheetApp();
  link.SpreadsheetApp().GetWorkbooks().Add();
  factory.log.calls.clear();
  BuildCashFlowSheet(link, tmpl.model, parameters);
  return factory.log.calls;
}

void Import(Template& tmpl, const std::string& lines) {
  const auto rules = ReadAmountsCsv("item,occurrence,amount,repeat,first,last,growth\r\n" + lines, tmpl.model.Items());
  for (size_t i = 0; i < rules.size(); ++i) tmpl.model.Items()[i].Rules = rules[i];
}

TEST(ForecastCellsTest, NumbersFollowTheLayoutAsWritesOfTheirCells) {
  const struct {
    const char* what;
    ReportParameters parameters;
    std::string rules;
    std::optional<Cents> openingCash;
    std::vector<std::string> writes;  // after the layout's calls
  } cases[] = {
      {"nothing", ByMonth("2027", "2027"), "", std::nullopt, {}},
      {"opening cash", ByMonth("2027", "2027"), "", -1250, {"Range(C5).FormulaR1C1=-12.5"}},
      {"runs of equal months",
       ByMonth("2027", "2027"),
       "Rent,1,6000,monthly,2027-03-01,2027-05-31,\r\nRent,1,0.5,once,2026-12-01,,\r\n",
       std::nullopt,
       {"Range(C26).FormulaR1C1=0.5", "Range(F26:H26).FormulaR1C1=6000"}},
      {"weeks",
       ByWeek("8"),
       "Cash Sales,1,7,monthly,2027-01-15,,\r\n",
       std::nullopt,
       {"Range(E8).FormulaR1C1=7", "Range(J8).FormulaR1C1=7"}},
      {"growth",
       ByYear("2027", "2028"),
       "Cash Sales,1,1000,monthly,2027-01-01,,10\r\n",
       std::nullopt,
       {"Range(D8).FormulaR1C1=12000", "Range(E8).FormulaR1C1=13200"}},
  };
  Template plain;
  for (const auto& c : cases) {
    Template tmpl;
    Import(tmpl, c.rules);
    tmpl.model.Forecast().openingCash = c.openingCash;
    tmpl.model.Forecast().week1 = ParseDate("2027-01-04");
    const std::vector<std::string> before = LayoutCalls(plain, c.parameters);
    const std::vector<std::string> calls = LayoutCalls(tmpl, c.parameters);
    ASSERT_GE(calls.size(), before.size()) << c.what;
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + static_cast<long>(before.size())), before)
        << c.what;
    // The numbers come first after the layout; the lines below the table follow them.
    const auto numbers = calls.begin() + static_cast<long>(before.size());
    ASSERT_GE(calls.end() - numbers, static_cast<long>(c.writes.size())) << c.what;
    EXPECT_EQ(std::vector<std::string>(numbers, numbers + static_cast<long>(c.writes.size())), c.writes) << c.what;
    if (c.writes.empty()) {
      EXPECT_EQ(calls.size(), before.size()) << c.what;
    }
  }
}

}  // namespace
}  // namespace tallowmere::testing
