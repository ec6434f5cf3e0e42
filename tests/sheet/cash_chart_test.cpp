// The chart of a plan with numbers on the recorded layout: a line chart whose series runs
// over the period cells of the cash-position row against the header row, its category
// axis crossing at the minimum cash (0 without one), and no chart for a plan without numbers.
#include <gtest/gtest.h>

#include "sheet/cash_flow_sheet.h"
#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

std::vector<std::string> ChartCalls(Template& tmpl, const ReportParameters& parameters) {
  RecordingFactory factory;
  SpreadsheetLink link{factory};
  link.CreateSpreadsheetApp();
  link.SpreadsheetApp().GetWorkbooks().Add();
  BuildCashFlowSheet(link, tmpl.model, parameters);
  std::vector<std::string> calls;
  for (const std::string& call : factory.log.calls)
    if (call.starts_with("ChartObjects.") || call.starts_with("Chart.")) calls.push_back(call);
  return calls;
}

TEST(CashChart, TheSeriesIsTheCashPositionRowAndTheAxisCrossesAtTheMinimumCash) {
  const struct {
    const char* what;
    ReportParameters parameters;
    std::optional<Cents> openingCash, minimumCash;
    std::vector<std::string> calls;
  } cases[] = {
      {"no numbers", ByMonth("2027", "2027"), std::nullopt, 500000, {}},
      {"months with a reserve",
       ByMonth("2027", "2027"),
       1000000,
       500000,
       {"ChartObjects.Add(0,0,360,216)", "Chart.ChartType=4", "Chart.ChartTitle.Text=Cash position",
        "Chart.HasLegend=False", "Chart.SeriesCollection.NewSeries(Cash position,D43:O43,D4:O4)",
        "Chart.Axes(2).CrossesAt=5000", "Chart.Axes(1).TickLabelPosition=-4134"}},
      {"weeks without one",
       ByWeek("8"),
       1000000,
       std::nullopt,
       {"ChartObjects.Add(0,0,360,216)", "Chart.ChartType=4", "Chart.ChartTitle.Text=Cash position",
        "Chart.HasLegend=False", "Chart.SeriesCollection.NewSeries(Cash position,D43:K43,D4:K4)",
        "Chart.Axes(2).CrossesAt=0", "Chart.Axes(1).TickLabelPosition=-4134"}},
  };
  for (const auto& c : cases) {
    Template tmpl;
    tmpl.model.Forecast().openingCash = c.openingCash;
    tmpl.model.Forecast().minimumCash = c.minimumCash;
    EXPECT_EQ(ChartCalls(tmpl, c.parameters), c.calls) << c.what;
  }
}

}  // namespace
}  // namespace tallowmere::testing
