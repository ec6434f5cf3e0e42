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

std::string CellAddress(size_t column, const std::string& row) {
  return ColumnLetter(kPreStartupColumn + static_cast<int>(column)) + row;
}

// Runs of equal amounts in neighbouring periods go in with one write of their range.
void WriteItemAmounts(Application& app, const TemplateItem& item, const PeriodGrid& grid) {
  const std::vector<Cents> columns = ExpandRules(item.Rules, grid);
  const std::string row = std::to_string(item.SheetRow);
  for (size_t first = 0; first < columns.size();) {
    size_t last = first;
    while (last + 1 < columns.size() && columns[last + 1] == columns[first]) ++last;
    if (columns[first] != 0) {
      const std::string range = CellAddress(first, row) + (last > first ? ":" + CellAddress(last, row) : "");
      WriteNumber(app, range, columns[first]);
    }
    first = last + 1;
  }
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
