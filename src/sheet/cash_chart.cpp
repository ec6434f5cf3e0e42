#include "sheet/cash_chart.h"

#include <algorithm>
#include <string>

#include "sheet/cell_helpers.h"
#include "sheet/lowest_cash.h"

namespace tallowmere {
namespace {

constexpr double kMinWidth = 360;  // points
constexpr double kMaxWidth = 720;
constexpr double kHeight = 216;
constexpr const char* kTitle = "Cash position";

}  // namespace

void AddCashChart(Application& app, const TemplateModel& model, int lastColumn) {
  const int cashRow = CashPositionRow(model);
  if (cashRow == 0) return;
  const std::string row = std::to_string(LowestCashRow(model) + 2);
  const std::unique_ptr<Range> place = app.GetRange("B" + row + ":" + ColumnLetter(lastColumn) + row);
  const double width = std::clamp(place->Width(), kMinWidth, kMaxWidth);
  const std::shared_ptr<Chart> chart =
      app.ActiveSheet()->GetChartObjects().Add(place->Left(), place->Top(), width, kHeight);
  chart->SetChartType(xl::kLine);
  chart->SetTitle(kTitle);
  chart->SetHasLegend(false);
  chart->NewSeries(kTitle, PeriodCells(cashRow, lastColumn), PeriodCells(kPeriodHeaderRow, lastColumn));
  const Cents reserve = model.Forecast().minimumCash.value_or(0);
  chart->SetAxisCrossesAt(xl::kValue, static_cast<double>(reserve) / 100.0);
  chart->SetTickLabelPosition(xl::kCategory, xl::kTickLabelLow);
}

}  // namespace tallowmere
