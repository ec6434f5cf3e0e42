// The conditional formats of one worksheet of an .xlsx workbook: each condition a cell-value
// rule of the library with its own differential format, stopping at the first that holds.
#include <xlsxwriter.h>

#include <array>

#include "engine/core/address.h"
#include "engine/xlsx/xlsx_writer_parts.h"

namespace tallowmere::engine::xlsx {
namespace {

std::uint8_t Criteria(FormatConditionData::Operator op) {
  using Operator = FormatConditionData::Operator;
  switch (op) {
    case Operator::Between: return LXW_CONDITIONAL_CRITERIA_BETWEEN;
    case Operator::NotBetween: return LXW_CONDITIONAL_CRITERIA_NOT_BETWEEN;
    case Operator::Equal: return LXW_CONDITIONAL_CRITERIA_EQUAL_TO;
    case Operator::NotEqual: return LXW_CONDITIONAL_CRITERIA_NOT_EQUAL_TO;
    case Operator::Greater: return LXW_CONDITIONAL_CRITERIA_GREATER_THAN;
    case Operator::Less: return LXW_CONDITIONAL_CRITERIA_LESS_THAN;
    case Operator::GreaterEqual: return LXW_CONDITIONAL_CRITERIA_GREATER_THAN_OR_EQUAL_TO;
    case Operator::LessEqual: return LXW_CONDITIONAL_CRITERIA_LESS_THAN_OR_EQUAL_TO;
  }
  return LXW_CONDITIONAL_CRITERIA_NONE;
}

lxw_format* LookOf(lxw_workbook* book, const FormatConditionData& condition) {
  lxw_format* format = workbook_add_format(book);
  if (!format) Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "a conditional format");
  if (condition.fontRgb) format_set_font_color(format, *condition.fontRgb);
  if (condition.fillRgb) format_set_bg_color(format, *condition.fillRgb);
  return format;
}

void WriteCondition(lxw_workbook* book, lxw_worksheet* worksheet, const CellRect& range,
                    const FormatConditionData& condition) {
  // The formulas as the file holds them, in A1 notation seen from the range's first cell.
  std::string first = PrintA1(*condition.formula1, range.firstRow, range.firstColumn);
  std::string second = condition.formula2 ? PrintA1(*condition.formula2, range.firstRow, range.firstColumn) : "";
  lxw_conditional_format rule{};
  rule.type = LXW_CONDITIONAL_TYPE_CELL;
  rule.criteria = Criteria(condition.op);
  if (condition.formula2) {
    rule.min_value_string = first.data();
    rule.max_value_string = second.data();
  } else {
    rule.value_string = first.data();
  }
  rule.format = LookOf(book, condition);
  rule.stop_if_true = LXW_TRUE;
  Check(worksheet_conditional_format_range(
            worksheet, static_cast<lxw_row_t>(range.firstRow - 1), static_cast<lxw_col_t>(range.firstColumn - 1),
            static_cast<lxw_row_t>(range.lastRow - 1), static_cast<lxw_col_t>(range.lastColumn - 1), &rule),
        "the conditional format of " + FormatAddress(range));
}

}  // namespace

void WriteConditionalFormats(lxw_workbook* book, lxw_worksheet* worksheet, const SheetData& sheet) {
  for (const ConditionalFormat& format : sheet.conditionalFormats)
    for (const FormatConditionData& condition : format.conditions)
      WriteCondition(book, worksheet, format.range, condition);
}

}  // namespace tallowmere::engine::xlsx
