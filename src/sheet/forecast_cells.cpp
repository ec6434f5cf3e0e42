// The numbers of a plan on its laid-out sheet: each item's amounts as numbers in its row,
// period by period, and the opening cash in the first cash-on-hand cell. The totals and
// the carry-over are the layout's formulas, so they take the numbers in.
#include "model/amount_expansion.h"
#include "sheet/cash_flow_sheet.h"
#include "sheet/cell_helpers.h"

namespace tallowmere {
namespace {

constexpr int kPreStartupColumn = 3;  // C
constexpr const char* kOpeningCashCell = "C5";

void WriteNumber(Application& app, const std::string& address, Cents value) {
  app.GetRange(address)->SetFormulaR1C1(MoneyText(value));
}

void WriteItemAmounts(Application& app, const TemplateItem& item, const PeriodGrid& grid) {
  const std::vector<Cents> columns = ExpandRules(item.Rules, grid);
  const std::string row = std::to_string(item.SheetRow);
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i] != 0) WriteNumber(app, ColumnLetter(kPreStartupColumn + static_cast<int>(i)) + row, columns[i]);
}

}  // namespace

void WriteForecastCells(Application& app, const TemplateModel& model, const ReportParameters& parameters) {
  const ForecastSettings& settings = model.Forecast();
  if (settings.openingCash) WriteNumber(app, kOpeningCashCell, *settings.openingCash);
  const PeriodGrid grid = GridOf(parameters, Week1Of(settings));
  for (const TemplateItem& item : model.Items())
    if (!item.Rules.empty() && item.SheetRow > 0 && TakesAmounts(item)) WriteItemAmounts(app, item, grid);
}

}  // namespace tallowmere
