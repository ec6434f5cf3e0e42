// Warnings on the cash rows of a plan with numbers: format conditions on the cash-position
// and cash-on-hand rows, across the period columns, that mark a period whose cash is below
// zero in dark red on light red, and one at or above zero but below the minimum cash in
// dark amber on light amber. They are the workbook's own conditions, so they follow the
// numbers a user types in later. Their colours are entries of the workbook's palette, as
// every colour of the sheet is: a 97-2003 workbook stores a condition's colours as
// palette entries, so these are the colours every file and picture of the plan shows.
#include "model/item_names.h"
#include "sheet/cash_flow_sheet.h"
#include "sheet/cell_helpers.h"

namespace tallowmere {
namespace {

struct WarningLook {
  int font, fill;  // palette entries
};
constexpr WarningLook kBelowZero{9, 38};      // dark red (128, 0, 0) on rose (255, 153, 204)
constexpr WarningLook kBelowMinimum{53, 36};  // brown (153, 51, 0) on light amber (255, 231, 189)

void AddWarning(Range& range, const std::string& below, const WarningLook& look) {
  const std::unique_ptr<FormatCondition> condition = range.AddFormatCondition(xl::kCellValue, xl::kLess, below, "");
  condition->SetFontColorIndex(look.font);
  condition->SetInteriorColorIndex(look.fill);
}

// The red condition comes first: a period below zero is below the minimum too, and the
// first condition that holds gives the look.
void AddWarnings(Application& app, int row, int lastColumn, Cents minimum) {
  const auto range = app.GetRange(PeriodCells(row, lastColumn));
  AddWarning(*range, "=0", kBelowZero);
  if (minimum > 0) AddWarning(*range, "=" + MoneyText(minimum), kBelowMinimum);
}

}  // namespace

void WriteCashWarnings(Application& app, const TemplateModel& model, int lastColumn) {
  const Cents minimum = model.Forecast().minimumCash.value_or(0);
  for (std::string_view name : {item_name::kCashPosition, item_name::kCashOnHand}) {
    const int number = model.FindItem(name);
    if (number > 0 && model.Item(number).SheetRow > 0)
      AddWarnings(app, model.Item(number).SheetRow, lastColumn, minimum);
  }
}

}  // namespace tallowmere
