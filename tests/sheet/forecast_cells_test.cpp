// A plan's numbers on the recorded layout: after the layout's own calls, only number
// writes into the item rows and C5 first, then the lines below the table and the warnings
// on the two cash rows, and no call at all for a plan without numbers.
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

// The calls after the layout's own: the number writes, or the warnings.
std::vector<std::string> Added(const std::vector<std::string>& calls, size_t layout, bool warnings) {
  std::vector<std::string> added;
  for (size_t i = layout; i < calls.size(); ++i)
    if ((calls[i].find(".FormatCondition") != std::string::npos) == warnings) added.push_back(calls[i]);
  return added;
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

// Red before amber on each row, over the period columns D to O of a year by month; no amber
// without a minimum cash; nothing for a minimum cash without numbers.
TEST(ForecastCellsTest, WarningsMarkTheCashRowsBelowZeroAndBelowTheMinimum) {
  const auto warnings = [](const std::string& row, bool amber) {
    const std::string range = "Range(D" + row + ":O" + row + ")";
    std::vector<std::string> calls = {range + ".FormatConditions.Add(1,6,=0)",
                                      range + ".FormatCondition.Font.ColorIndex=9",
                                      range + ".FormatCondition.Interior.ColorIndex=38"};
    if (amber) {
      for (const std::string call : {".FormatConditions.Add(1,6,=5000.5)", ".FormatCondition.Font.ColorIndex=53",
                                     ".FormatCondition.Interior.ColorIndex=36"})
        calls.push_back(range + call);
    }
    return calls;
  };
  const auto both = [&](bool amber) {
    std::vector<std::string> calls = warnings("43", amber), onHand = warnings("5", amber);
    calls.insert(calls.end(), onHand.begin(), onHand.end());
    return calls;
  };
  const struct {
    const char* what;
    std::optional<Cents> openingCash, minimumCash;
    std::vector<std::string> calls;
  } cases[] = {
      {"numbers without a minimum", 100000, std::nullopt, both(false)},
      {"a minimum of 0", 100000, 0, both(false)},
      {"a minimum", 100000, 500050, both(true)},
      {"a minimum without numbers", std::nullopt, 500050, {}},
  };
  for (const auto& c : cases) {
    Template tmpl;
    tmpl.model.Forecast().openingCash = c.openingCash;
    tmpl.model.Forecast().minimumCash = c.minimumCash;
    Template plain;
    const size_t layout = LayoutCalls(plain, ByMonth("2027", "2027")).size();
    EXPECT_EQ(Added(LayoutCalls(tmpl, ByMonth("2027", "2027")), layout, true), c.calls) << c.what;
  }
}

}  // namespace
}  // namespace tallowmere::testing
