#include "sheet/cell_helpers.h"

#include <stdexcept>

namespace tallowmere {
namespace {

constexpr int kLastTwoLetterColumn = 702;  // ZZ
constexpr int kGridColorIndex = 16;

}  // namespace

std::string PeriodCells(int row, int lastColumn) {
  const std::string number = std::to_string(row);
  return ColumnLetter(kFirstPeriodColumn) + number + ":" + ColumnLetter(lastColumn - 1) + number;
}

std::string ColumnLetter(int n) {
  if (n < 1 || n > kLastTwoLetterColumn)
    throw std::out_of_range("Column number " + std::to_string(n) + " is outside A to ZZ");
  if (n <= 26) return std::string(1, static_cast<char>(64 + n));
  const int q = n / 26;
  if (n % 26 == 0) return {static_cast<char>(63 + q), 'Z'};
  return {static_cast<char>(64 + q), static_cast<char>(64 + (n - 26 * q))};
}

int RowOffset(const TemplateModel& model, int a, int b) { return model.Item(a).SheetRow - model.Item(b).SheetRow; }

std::string RelativeRef(const TemplateModel& model, int a, int b, int c) {
  return "R[" + std::to_string(RowOffset(model, a, b)) + "]C[" + std::to_string(c) + "]";
}

void WriteCell(Application& app, const std::string& address, const std::string& text, bool merge) {
  app.GetRange(address)->Select();
  app.ActiveCell()->SetFormulaR1C1(text);
  if (merge) app.Selection()->Merge();
}

void SetFont(Application& app, const std::string& style, double size, int colorIndex) {
  std::unique_ptr<Range> selection = app.Selection();
  selection->SetFontStyle(style);
  selection->SetFontSize(size);
  selection->SetFontColorIndex(colorIndex);
}

void SetFillColor(Application& app, const std::string& address, int colorIndex) {
  if (!address.empty()) app.GetRange(address)->Select();
  app.Selection()->SetInteriorColorIndex(colorIndex);
}

void SetNumberFormat(Application& app, const std::string& address, const std::string& format) {
  if (!address.empty()) app.GetRange(address)->Select();
  app.Selection()->SetNumberFormat(format);
}

void SetAlignment(Application& app, bool centre, bool middle, bool wrap) {
  std::unique_ptr<Range> selection = app.Selection();
  if (centre) selection->SetHorizontalAlignment(xl::kCenter);
  if (middle) selection->SetVerticalAlignment(xl::kCenter);
  if (wrap) selection->SetWrapText(true);
}

void SetRowHeight(Application& app, const std::string& rows, double height) {
  app.Rows(rows)->Select();
  app.Selection()->SetRowHeight(height);
}

void SetColumnWidth(Application& app, const std::string& columns, double width) {
  app.Columns(columns)->Select();
  app.Selection()->SetColumnWidth(width);
}

void SetBorder(Application& app, int borderIndex, int colorIndex) {
  std::unique_ptr<Range> selection = app.Selection();
  selection->SetBorderWeight(borderIndex, xl::kThin);
  selection->SetBorderColorIndex(borderIndex, colorIndex);
}

void ClearBorder(Application& app, int borderIndex) { app.Selection()->SetBorderLineStyle(borderIndex, xl::kNone); }

void SetGridBorders(Application& app) {
  for (int index :
       {xl::kEdgeLeft, xl::kEdgeTop, xl::kEdgeBottom, xl::kEdgeRight, xl::kInsideVertical, xl::kInsideHorizontal})
    SetBorder(app, index, kGridColorIndex);
}

void SetupPage(Application& app, const std::string& printArea) {
  std::shared_ptr<Worksheet> sheet = app.ActiveSheet();
  if (!sheet) throw AutomationError("Object variable not set");
  PageSetup& page = sheet->GetPageSetup();
  page.SetPrintArea(printArea);
  page.SetLeftMargin(app.InchesToPoints(0.7));
  page.SetRightMargin(app.InchesToPoints(0.7));
  page.SetTopMargin(app.InchesToPoints(0.5));
  page.SetBottomMargin(app.InchesToPoints(0.5));
  page.SetHeaderMargin(app.InchesToPoints(0));
  page.SetFooterMargin(app.InchesToPoints(0));
  page.SetPrintComments(xl::kNone);
  page.SetOrientation(xl::kLandscape);
  page.SetPaperSize(xl::kPaperA4);
  page.SetZoomOff();
  page.SetFitToPagesWide(1);
  page.SetFitToPagesTall(1);
}

}  // namespace tallowmere
