// The first half of the cash-flow layout: palette, clearing, column grid, the four top
// rows, the title and company cells, the fiscal-start cells and the period headers.
#include <cstdio>
#include <string>

#include "model/text_values.h"
#include "sheet/cash_flow_sheet.h"
#include "sheet/cell_helpers.h"
#include "sheet/internal/workbook_palette.h"

namespace tallowmere {
namespace {

constexpr int kWhite = 2;
constexpr int kDarkSlate = 12;
constexpr const char* kBold = "Bold";
constexpr double kHeaderFontSize = 9;
constexpr const char* kMonthFormat = "mmm-yy";

std::string Cell(int column, int row) { return ColumnLetter(column) + std::to_string(row); }

// A year as the sheet receives it: whole years without a decimal point.
std::string NumberText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

void CopyPalette(Application& app) {
  const auto& palette = CashFlowPalette();
  for (int index = 1; index <= kPaletteSize; ++index) app.ActiveWorkbook()->SetColor(index, palette[index - 1].Value());
}

void ClearAllCells(Application& app) {
  app.Cells()->Select();
  app.Cells()->Clear();
  app.Selection()->SetFontName("Arial");
}

void SetColumnGrid(Application& app, int lastColumn) {
  SetColumnWidth(app, "A:A", 1.0);
  SetColumnWidth(app, "B:B", 32.0);
  SetColumnWidth(app, "C:C", 10.83);
  for (int column = kFirstPeriodColumn; column < lastColumn; ++column) {
    const std::string letters = ColumnLetter(column);
    SetColumnWidth(app, letters + ":" + letters, 8.33);
  }
  const std::string last = ColumnLetter(lastColumn);
  SetColumnWidth(app, last + ":" + last, 9.17);
}

void SetTopRowHeights(Application& app) {
  SetRowHeight(app, "1:1", 11.25);
  SetRowHeight(app, "2:2", 27.75);
  SetRowHeight(app, "3:3", 3.75);
  SetRowHeight(app, "4:4", 24.75);
}

// A header cell in bold 9-point automatic colour.
void WriteHeader(Application& app, const std::string& address, const std::string& text) {
  WriteCell(app, address, text, true);
  SetFont(app, kBold, kHeaderFontSize, xl::kAutomatic);
}

void AlignRight(Application& app) { app.Selection()->SetHorizontalAlignment(xl::kRight); }

void WriteFixedCells(Application& app, int lastColumn, const std::string& company) {
  WriteCell(app, "B2", "Cash flow", true);
  SetFont(app, kBold, 19, kDarkSlate);
  WriteHeader(app, "C4", "Pre-Startup EST");
  WriteHeader(app, Cell(lastColumn, 4), "Total Item EST");
  WriteCell(app, "H2", company, true);
  SetFont(app, kBold, 12, xl::kAutomatic);
}

// The fiscal-start caption, right-aligned in row 2 left of the last column.
void WriteFiscalCaption(Application& app, int lastColumn, const std::string& caption) {
  WriteHeader(app, Cell(lastColumn - 1, 2), caption);
  AlignRight(app);
}

// D4 shows the fiscal-start value two rows up in the last column.
std::string FirstPeriodFormula(int lastColumn) {
  return "=R[-2]C[" + std::to_string(lastColumn - kFirstPeriodColumn) + "]";
}

void WriteMonthHeaders(Application& app, const ReportParameters& parameters, int lastColumn) {
  WriteFiscalCaption(app, lastColumn, "Fiscal Year Begins:");
  WriteHeader(app, Cell(lastColumn, 2), "1/1/" + NumberText(WholeNumberOf(parameters.monthFirstYear)));
  SetNumberFormat(app, "", kMonthFormat);
  WriteHeader(app, "D4", FirstPeriodFormula(lastColumn));
  SetNumberFormat(app, "", kMonthFormat);
  for (int column = kFirstPeriodColumn + 1; column < lastColumn; ++column) {
    WriteHeader(app, Cell(column, 4), "=DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)");
    SetNumberFormat(app, "", kMonthFormat);
  }
}

void WriteYearHeaders(Application& app, const ReportParameters& parameters, int lastColumn) {
  WriteFiscalCaption(app, lastColumn, "Fiscal Period Begins:");
  WriteHeader(app, Cell(lastColumn, 2), std::to_string(WholeNumberOf(parameters.firstYear)));
  WriteHeader(app, "D4", FirstPeriodFormula(lastColumn));
  for (int column = kFirstPeriodColumn + 1; column < lastColumn; ++column)
    WriteHeader(app, Cell(column, 4), "=RC[-1]+1");
}

void WriteWeekHeaders(Application& app, int lastColumn) {
  WriteFiscalCaption(app, lastColumn, "Fiscal Period Begins:");
  WriteHeader(app, Cell(lastColumn, 2), "Week 1");
  AlignRight(app);
  for (int column = kFirstPeriodColumn; column < lastColumn; ++column)
    WriteHeader(app, Cell(column, 4), "Week " + std::to_string(column - 3));
}

}  // namespace

int LayOutSheetSkeleton(Application& app, const ReportParameters& parameters) {
  CopyPalette(app);
  ClearAllCells(app);
  const int lastColumn = LastColumnOf(parameters);
  SetFillColor(app, "", kWhite);
  SetColumnGrid(app, lastColumn);
  SetTopRowHeights(app);
  WriteFixedCells(app, lastColumn, parameters.company);
  switch (parameters.mode) {
    case PeriodMode::Month: WriteMonthHeaders(app, parameters, lastColumn); break;
    case PeriodMode::Year: WriteYearHeaders(app, parameters, lastColumn); break;
    case PeriodMode::Week: WriteWeekHeaders(app, lastColumn); break;
  }
  return lastColumn;
}

}  // namespace tallowmere
