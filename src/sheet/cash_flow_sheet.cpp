#include "sheet/cash_flow_sheet.h"

#include "model/text_values.h"
#include "sheet/cash_chart.h"
#include "sheet/lowest_cash.h"

namespace tallowmere {

namespace {

// The layout takes the years and weeks as whole numbers (By Month its years only in that
// mode) before it lays anything out, so that a value beyond that range stops it at once.
void ReadWholeNumbers(const ReportParameters& parameters) {
  for (const std::string* text : {&parameters.firstYear, &parameters.lastYear, &parameters.weeks}) WholeNumberOf(*text);
  if (parameters.mode != PeriodMode::Month) return;
  WholeNumberOf(parameters.monthFirstYear);
  WholeNumberOf(parameters.monthLastYear);
}

}  // namespace

int LastColumnOf(const ReportParameters& parameters) {
  // Computed in floating point so that unchecked fields give an Overflow error rather
  // than a wrapped-around column number.
  const auto whole = [](const std::string& text) { return static_cast<double>(WholeNumberOf(text)); };
  switch (parameters.mode) {
    case PeriodMode::Year: return WholeNumber(whole(parameters.lastYear) - whole(parameters.firstYear) + 5);
    case PeriodMode::Month:
      return WholeNumber((whole(parameters.monthLastYear) - whole(parameters.monthFirstYear)) * 12 + 16);
    case PeriodMode::Week: break;
  }
  return WholeNumber(whole(parameters.weeks) + 4);
}

void BuildCashFlowSheet(SpreadsheetLink& link, TemplateModel& model, const ReportParameters& parameters) {
  ReadWholeNumbers(parameters);
  for (TemplateItem& item : model.Items()) item.Included = true;
  Application& app = link.SpreadsheetApp();
  const int lastColumn = LayOutSheetSkeleton(app, parameters);
  LayOutItemRows(app, model, lastColumn);
  if (!model.HasNumbers()) return;
  WriteForecastCells(app, model, parameters);
  WriteLowestCash(app, model, parameters.mode, lastColumn);
  AddCashChart(app, model, lastColumn);
  WriteCashWarnings(app, model, lastColumn);
}

}  // namespace tallowmere
