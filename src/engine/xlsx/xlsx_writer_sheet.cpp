// One worksheet of an .xlsx workbook.
#include <xlsxwriter.h>

#include <cmath>
#include <optional>
#include <set>

#include "engine/core/address.h"
#include "engine/core/calc.h"
#include "engine/core/engine_error.h"
#include "engine/core/sheet_format.h"
#include "engine/xlsx/xlsx_writer_parts.h"

namespace tallowmere::engine::xlsx {
namespace {

constexpr double kPointsPerInch = 72.0;
// The library writes a cell for every cell of a merged area; areas larger than this in
// all are refused rather than attempted.
constexpr long long kMaxMergedCells = 1'000'000;

lxw_row_t Row(int row) { return static_cast<lxw_row_t>(row - 1); }
lxw_col_t Col(int column) { return static_cast<lxw_col_t>(column - 1); }

// --- Columns and rows ----------------------------------------------------------------

// Width and format of a column. The file's sheet is wider than the engine's: the columns
// past the engine's last look as the engine's sheet format and default width say.
struct ColumnFormat {
  double width;
  StyleId style;
  bool operator==(const ColumnFormat&) const = default;
};

ColumnFormat FormatOfColumn(const SheetData& sheet, int column) {
  if (column > kMaxColumns) return {sheet.defaultColumnWidth, sheet.sheetStyle};
  return {sheet.ColumnWidth(column), sheet.InheritedStyle(0, column)};
}

void SetColumns(lxw_worksheet* worksheet, int first, int last, const ColumnFormat& format, XlsxFormats& formats) {
  lxw_row_col_options hidden = {1, 0, 0};
  const bool isHidden = format.width == 0;
  Check(worksheet_set_column_opt(worksheet, Col(first), Col(last), isHidden ? kStandardColumnWidth : format.width,
                                 formats.Of(format.style), isHidden ? &hidden : nullptr),
        "the columns " + ColumnLetters(std::min(first, kMaxColumns)));
}

// Runs of equal columns, each written once; column kMaxColumns + 1 stands for all the
// columns past the engine's last.
void WriteColumns(lxw_worksheet* worksheet, const SheetData& sheet, XlsxFormats& formats) {
  const ColumnFormat standard{kStandardColumnWidth, 0};
  for (int first = 1; first <= kMaxColumns + 1;) {
    const ColumnFormat format = FormatOfColumn(sheet, first);
    int last = first;
    while (last <= kMaxColumns && FormatOfColumn(sheet, last + 1) == format) ++last;
    const bool customWidth = first <= kMaxColumns && sheet.columnWidths.count(first) > 0;
    if (!(format == standard) || customWidth) {
      SetColumns(worksheet, first, last > kMaxColumns ? LXW_COL_MAX : last, format, formats);
    }
    first = last + 1;
  }
}

void WriteRows(lxw_worksheet* worksheet, const SheetData& sheet, XlsxFormats& formats) {
  if (sheet.defaultRowHeight != LXW_DEF_ROW_HEIGHT) worksheet_set_default_row(worksheet, sheet.defaultRowHeight, 0);
  std::set<int> rows;
  for (const auto& [row, height] : sheet.rowHeights) rows.insert(row);
  for (const auto& [row, style] : sheet.rowStyles) rows.insert(row);
  for (int row : rows) {
    const double height = sheet.RowHeight(row);
    auto style = sheet.rowStyles.find(row);
    lxw_format* format = style == sheet.rowStyles.end() ? nullptr : formats.Of(style->second);
    lxw_row_col_options hidden = {1, 0, 0};
    Check(worksheet_set_row_opt(worksheet, Row(row), height == 0 ? sheet.defaultRowHeight : height, format,
                                height == 0 ? &hidden : nullptr),
          "row " + std::to_string(row));
  }
}

// --- Merged areas and cells ----------------------------------------------------------

// Merged areas come before the cells: the library writes an empty text into each area's
// first cell, which the cells then replace. An area of one cell means nothing in a file
// and is neither written nor counted.
void WriteMerges(lxw_worksheet* worksheet, const SheetData& sheet, XlsxFormats& formats) {
  long long cells = 0;
  for (const CellRect& m : sheet.merges) {
    if (!m.IsOneCell())
      cells += static_cast<long long>(m.lastRow - m.firstRow + 1) * (m.lastColumn - m.firstColumn + 1);
  }
  if (cells > kMaxMergedCells) {
    throw EngineError("The merged areas of sheet '" + sheet.name + "' cover " + std::to_string(cells) +
                      " cells, more than can be saved as .xlsx");
  }
  for (const CellRect& m : sheet.merges) {
    if (m.IsOneCell()) continue;
    Check(worksheet_merge_range(worksheet, Row(m.firstRow), Col(m.firstColumn), Row(m.lastRow), Col(m.lastColumn), "",
                                formats.Of(sheet.EffectiveStyle(m.firstRow, m.firstColumn))),
          "the merged area " + FormatAddress(m));
  }
}

// A constant error value is written as the formula of the error itself, with the error as
// its result: the library has no cell of an error value.
lxw_error WriteError(lxw_worksheet* worksheet, int row, int column, ErrorCode error, lxw_format* format) {
  const std::string text(ErrorText(error));
  return worksheet_write_formula_str(worksheet, Row(row), Col(column), text.c_str(), format, text.c_str());
}

lxw_error WriteConstant(lxw_worksheet* worksheet, int row, int column, const Value& v, lxw_format* format) {
  switch (v.type) {
    case Value::Type::Number:
      if (!std::isfinite(v.number)) return WriteError(worksheet, row, column, ErrorCode::Num, format);
      return worksheet_write_number(worksheet, Row(row), Col(column), v.number, format);
    case Value::Type::String: return worksheet_write_string(worksheet, Row(row), Col(column), v.text.c_str(), format);
    case Value::Type::Boolean: return worksheet_write_boolean(worksheet, Row(row), Col(column), v.number != 0, format);
    case Value::Type::Error: return WriteError(worksheet, row, column, v.error, format);
    case Value::Type::Empty: break;
  }
  return worksheet_write_blank(worksheet, Row(row), Col(column), format);
}

// The formula with its result, which a reader shows until it calculates the workbook
// itself. The library stores a number result (a logical one as 1 or 0) or a text; an
// error is stored as its text.
lxw_error WriteFormula(lxw_worksheet* worksheet, int row, int column, const FormulaNode& formula, const Value& result,
                       lxw_format* format) {
  const std::string text = PrintA1(formula, row, column);
  const bool number = (result.type == Value::Type::Number && std::isfinite(result.number)) ||
                      result.type == Value::Type::Boolean || result.type == Value::Type::Empty;
  if (number) return worksheet_write_formula_num(worksheet, Row(row), Col(column), text.c_str(), format, result.number);
  const std::string shown = result.type == Value::Type::String  ? result.text
                            : result.type == Value::Type::Error ? std::string(ErrorText(result.error))
                                                                : std::string(ErrorText(ErrorCode::Num));
  return worksheet_write_formula_str(worksheet, Row(row), Col(column), text.c_str(), format, shown.c_str());
}

// A cell is written when it holds content or formatting of its own.
void WriteCells(lxw_worksheet* worksheet, const SheetData& sheet, XlsxFormats& formats) {
  Calculator calculator(sheet);
  for (const auto& [position, cell] : sheet.Cells()) {
    const auto [row, column] = position;
    if (!HasContentOrOwnFormat(sheet, row, column, cell)) continue;
    lxw_format* format = formats.Of(cell.style);
    const lxw_error error =
        cell.formula ? WriteFormula(worksheet, row, column, *cell.formula, calculator.ValueAt(row, column), format)
                     : WriteConstant(worksheet, row, column, cell.value, format);
    Check(error, "the cell " + FormatAddress(CellRect{row, column, row, column}) + " of sheet '" + sheet.name + "'");
  }
}

// --- Page setup and window -----------------------------------------------------------

void WritePageSetup(lxw_worksheet* worksheet, const SheetData& sheet) {
  const PageSetupData& page = sheet.pageSetup;
  if (auto area = PrintAreaRect(sheet)) {
    Check(worksheet_print_area(worksheet, Row(area->firstRow), Col(area->firstColumn), Row(area->lastRow),
                               Col(area->lastColumn)),
          "the print area " + page.printArea);
  }
  if (page.landscape) worksheet_set_landscape(worksheet);
  worksheet_set_paper(worksheet, static_cast<std::uint8_t>(page.paperSize));
  worksheet_set_margins(worksheet, page.leftMargin / kPointsPerInch, page.rightMargin / kPointsPerInch,
                        page.topMargin / kPointsPerInch, page.bottomMargin / kPointsPerInch);
  // The library's header and footer setters read a margin of 0 as "the default": set
  // them as the page asks.
  worksheet->margin_header = page.headerMargin / kPointsPerInch;
  worksheet->margin_footer = page.footerMargin / kPointsPerInch;
  if (page.fitToPages) {
    worksheet_fit_to_pages(worksheet, static_cast<std::uint16_t>(page.fitWide),
                           static_cast<std::uint16_t>(page.fitTall));
  } else if (page.zoom != 100) {
    worksheet_set_print_scale(worksheet, static_cast<std::uint16_t>(page.zoom));
  }
}

void WriteSelection(lxw_worksheet* worksheet, const SheetData& sheet) {
  const CellRect& s = sheet.selection;
  worksheet_set_selection(worksheet, Row(s.firstRow), Col(s.firstColumn), Row(s.lastRow), Col(s.lastColumn));
}

}  // namespace

void Check(lxw_error error, const std::string& what) {
  if (error != LXW_NO_ERROR) {
    throw EngineError("The workbook cannot be saved as .xlsx: " + what + ": " + lxw_strerror(error));
  }
}

void WriteSheet(lxw_worksheet* worksheet, const SheetData& sheet, XlsxFormats& formats) {
  WriteColumns(worksheet, sheet, formats);
  WriteRows(worksheet, sheet, formats);
  WriteMerges(worksheet, sheet, formats);
  WriteCells(worksheet, sheet, formats);
  WritePageSetup(worksheet, sheet);
  WriteSelection(worksheet, sheet);
}

}  // namespace tallowmere::engine::xlsx
