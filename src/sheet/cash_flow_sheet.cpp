#include "sheet/cash_flow_sheet.h"

#include "model/text_values.h"

namespace tallowmere {

SheetInputs ReadSheetInputs(const ReportParameters& parameters) {
  SheetInputs inputs;
  inputs.mode = parameters.Mode();
  inputs.firstYear = WholeNumberOf(parameters.text2);
  inputs.lastYear = WholeNumberOf(parameters.text3);
  inputs.weeks = WholeNumberOf(parameters.text4);
  if (inputs.mode == PeriodMode::Month) {
    inputs.monthFirstYear = WholeNumberOf(parameters.text6);
    inputs.monthLastYear = WholeNumberOf(parameters.text7);
  }
  inputs.company = parameters.text1;
  return inputs;
}

int LastColumnOf(const SheetInputs& inputs) {
  // Computed in floating point so that unchecked fields give an Overflow error rather
  // than a wrapped-around column number.
  switch (inputs.mode) {
    case PeriodMode::Year:
      return WholeNumber(static_cast<double>(inputs.lastYear) - inputs.firstYear + 5);
    case PeriodMode::Month:
      return WholeNumber((inputs.monthLastYear - inputs.monthFirstYear) * 12 + 16);
    case PeriodMode::Week:
      break;
  }
  return WholeNumber(static_cast<double>(inputs.weeks) + 4);
}

void BuildCashFlowSheet(SpreadsheetLink& link, TemplateModel& model, const ReportParameters& parameters) {
  const SheetInputs inputs = ReadSheetInputs(parameters);
  for (TemplateItem& item : model.Items()) item.Included = true;
  Application& app = link.SpreadsheetApp();
  const int lastColumn = LayOutSheetSkeleton(app, inputs);
  LayOutItemRows(app, model, lastColumn);
}

}  // namespace tallowmere
