#include "sheet/lowest_cash.h"

#include <algorithm>
#include <string>

#include "model/item_names.h"
#include "sheet/cell_helpers.h"

namespace tallowmere {
namespace {

constexpr const char* kLabel = "Lowest cash position";

// The row of the period columns as an absolute R1C1 area.
std::string PeriodArea(int row, int lastColumn) {
  const std::string r = "R" + std::to_string(row);
  return r + "C" + std::to_string(kFirstPeriodColumn) + ":" + r + "C" + std::to_string(lastColumn - 1);
}

// The header's format as the header row shows it: month dates as "Dec-27", years as plain
// whole numbers; week names are texts, which the row's number format leaves as they are.
const char* HeaderFormat(PeriodMode mode) {
  switch (mode) {
    case PeriodMode::Month: return "mmm-yy";
    case PeriodMode::Year: return "0";
    case PeriodMode::Week: break;
  }
  return nullptr;
}

}  // namespace

int CashPositionRow(const TemplateModel& model) {
  const int item = model.FindItem(item_name::kCashPosition);
  return item > 0 ? model.Item(item).SheetRow : 0;
}

int LowestCashRow(const TemplateModel& model) {
  if (CashPositionRow(model) == 0) return 0;
  int lastRow = 0;
  for (const TemplateItem& item : model.Items()) lastRow = std::max(lastRow, item.SheetRow);
  return lastRow + 2;
}

void WriteLowestCash(Application& app, const TemplateModel& model, PeriodMode mode, int lastColumn) {
  const int cashRow = CashPositionRow(model);
  if (cashRow == 0) return;
  const std::string row = std::to_string(LowestCashRow(model));
  const std::string cash = PeriodArea(cashRow, lastColumn);
  const std::string lowest = ColumnLetter(kFirstPeriodColumn) + row;
  const std::string period = ColumnLetter(kFirstPeriodColumn + 1) + row;

  app.GetRange("B" + row)->SetFormulaR1C1(kLabel);
  app.GetRange("B" + row)->SetFontStyle("Bold");
  app.GetRange(lowest)->SetFormulaR1C1("=MIN(" + cash + ")");
  app.GetRange(period)->SetFormulaR1C1("=INDEX(" + PeriodArea(kPeriodHeaderRow, lastColumn) + ",MATCH(RC[-1]," + cash +
                                       ",0))");
  if (const char* format = HeaderFormat(mode)) app.GetRange(period)->SetNumberFormat(format);
  app.GetRange(period)->SetHorizontalAlignment(xl::kRight);
}

}  // namespace tallowmere
