#pragma once
// The operations the sheet layout uses on the active sheet: select a cell, row, column or
// range by its A1 address and set properties of the selection; and the column letters and
// relative references that formulas are built from.

#include <string>

#include "automation/automation.h"
#include "model/template_model.h"

namespace tallowmere {

// Where the periods lie on the laid-out sheet: their headers in row 4, from column D to
// the column before the total.
inline constexpr int kPeriodHeaderRow = 4;
inline constexpr int kFirstPeriodColumn = 4;

// Letters of column n: A to Z, then AA to ZZ. Throws std::out_of_range outside 1..702,
// where two letters no longer suffice.
std::string ColumnLetter(int n);

// The period cells of row on a sheet whose last column (the total) is lastColumn: "D43:O43".
std::string PeriodCells(int row, int lastColumn);

// SheetRow of item a minus SheetRow of item b: the row offset, seen from b's row, of a.
// Throws std::out_of_range for an item number outside the table.
int RowOffset(const TemplateModel& model, int a, int b);

// "R[" + RowOffset(a, b) + "]C[" + c + "]".
std::string RelativeRef(const TemplateModel& model, int a, int b, int c);

// Selects address and stores text through the active cell's FormulaR1C1; merges the
// selection when merge is set.
void WriteCell(Application& app, const std::string& address, const std::string& text, bool merge);
// Font style ("Bold"), size and colour index of the selection, in this order.
void SetFont(Application& app, const std::string& style, double size, int colorIndex);
// Fill colour of address, or of the current selection when address is empty.
void SetFillColor(Application& app, const std::string& address, int colorIndex);
// Number format of address, or of the current selection when address is empty.
void SetNumberFormat(Application& app, const std::string& address, const std::string& format);
// Centres horizontally, centres vertically and wraps the selection, each when asked.
void SetAlignment(Application& app, bool centre, bool middle, bool wrap);
void SetRowHeight(Application& app, const std::string& rows, double height);
void SetColumnWidth(Application& app, const std::string& columns, double width);
// A thin line in colour colorIndex on one border of the selection.
void SetBorder(Application& app, int borderIndex, int colorIndex);
void ClearBorder(Application& app, int borderIndex);
// Thin grey lines on the four edges and the inside lines of the selection.
void SetGridBorders(Application& app);
// Print area, margins, landscape A4 fitted on one page, for the active sheet.
void SetupPage(Application& app, const std::string& printArea);

}  // namespace tallowmere
