// The second half of the cash-flow layout: one row per template item (a spacer row before
// each heading), the grid, number formats, heading bands, total rows with their relative
// formulas, the carry-over of closing cash, and the page setup.
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "sheet/cash_flow_sheet.h"
#include "sheet/cell_helpers.h"

namespace tallowmere {
namespace {

constexpr int kFirstItemRow = 5;
constexpr int kHeadingFill = 43;
constexpr int kBandFill = 55;   // column-header band and total-row name cell
constexpr int kTotalFill = 39;  // total-row value cells
constexpr double kSpacerHeight = 8;
constexpr double kItemHeight = 18;
constexpr double kTotalHeight = 24;
constexpr const char* kClosingCashItem = "Cash Position (end of month)";

std::string Cell(int column, int row) { return ColumnLetter(column) + std::to_string(row); }
std::string RowRange(int row) { return std::to_string(row) + ":" + std::to_string(row); }

// Writes SheetRow of every item; returns the last used row.
int NumberRows(TemplateModel& model) {
  int k = 0;
  for (TemplateItem& item : model.Items()) {
    if (item.IsHeader) ++k;
    if (item.Included) {
      ++k;
      item.SheetRow = k + kFirstItemRow - 1;
    } else {
      item.SheetRow = 0;
    }
  }
  return k + kFirstItemRow - 1;
}

// An element of a reference list: decimal digits only.
int ParseItemNumber(const std::string& text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    throw std::invalid_argument("Type mismatch");
  return std::stoi(text);
}

std::vector<int> ParseRefs(const std::string& refs) {
  std::vector<int> numbers;
  size_t start = 0;
  while (true) {
    const size_t comma = refs.find(',', start);
    numbers.push_back(ParseItemNumber(refs.substr(start, comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return numbers;
}

// The items a total row p combines, in list order. A total never combines itself or
// another total of its own name (two rows named "SUBTOTAL" each list both, and either
// reference would make the formula circular), nor the same item twice (a range that
// meets two rows of one name lists both rows for each of them).
std::vector<int> CombinedItems(const TemplateModel& model, const std::string& refs, int p) {
  const std::string own = MatchForm(model.Item(p).Name);
  std::vector<int> combined;
  std::set<int> seen;
  for (int number : ParseRefs(refs)) {
    if (MatchForm(model.Item(number).Name) != own && seen.insert(number).second) combined.push_back(number);
  }
  return combined;
}

// A total that lists another total adds that total, not again the rows it already adds:
// "Total Cash Available" runs over the receipt items and their total and counts them once.
// Listed totals are taken in list order, and one already left out (because an earlier
// one adds it) leaves out nothing itself, so two totals that list each other never remove
// each other.
std::vector<int> WithoutRowsOfListedTotals(const TemplateModel& model, const std::vector<int>& numbers) {
  std::set<int> addedByListedTotal;
  for (int number : numbers) {
    const TemplateItem& listed = model.Item(number);
    if (listed.Kind != "SUM" || listed.Refs.empty() || addedByListedTotal.count(number)) continue;
    for (int inner : ParseRefs(listed.Refs))
      if (inner != number) addedByListedTotal.insert(inner);
  }
  std::vector<int> kept;
  for (int number : numbers)
    if (!addedByListedTotal.count(number)) kept.push_back(number);
  return kept;
}

// "=" and the references of the listed items joined by the operator, seen from item p.
std::string CombiningFormula(const TemplateModel& model, const std::vector<int>& numbers, int p, char joiner) {
  std::string formula = "=";
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) formula += joiner;
    formula += RelativeRef(model, numbers[i], p, 0);
  }
  return formula;
}

// Every column of the row from firstColumn through the total column gets the formula; the
// references are relative, so one text serves them all.
void WritePeriodColumns(Application& app, int row, int firstColumn, int lastColumn, const std::string& formula) {
  for (int column = firstColumn; column <= lastColumn; ++column) WriteCell(app, Cell(column, row), formula, true);
}

void WriteTotalFormulas(Application& app, const TemplateModel& model, int p, int row, int lastColumn) {
  const TemplateItem& item = model.Item(p);
  if (p == 1) {
    // Opening cash: the closing cash of the period one column to the left.
    const int closing = model.FindItem(kClosingCashItem);
    const std::string carry = std::string("=").append(RelativeRef(model, closing, p, -1));
    WritePeriodColumns(app, row, 4, lastColumn, carry);
  } else if (item.Kind == "SUM" || item.Kind == "DIF") {
    const bool sum = item.Kind == "SUM";
    std::vector<int> numbers = CombinedItems(model, item.Refs, p);
    if (sum) numbers = WithoutRowsOfListedTotals(model, numbers);
    // Nothing left to combine: no formula, rather than a bare "=" that the sheet refuses.
    if (!numbers.empty())
      WritePeriodColumns(app, row, 3, lastColumn, CombiningFormula(model, numbers, p, sum ? '+' : '-'));
  }
}

void LayOutSpacerRow(Application& app, int row) {
  SetRowHeight(app, RowRange(row), kSpacerHeight);
  ClearBorder(app, xl::kEdgeLeft);
  ClearBorder(app, xl::kEdgeRight);
  ClearBorder(app, xl::kInsideVertical);
}

void LayOutItemRow(Application& app, const TemplateModel& model, int p, int row, int lastColumn) {
  const TemplateItem& item = model.Item(p);
  const std::string name = Cell(2, row);
  const std::string values = Cell(3, row) + ":" + Cell(lastColumn, row);
  SetRowHeight(app, RowRange(row), kItemHeight);
  WriteCell(app, name, SheetLabel(item.Name), true);
  if (item.IsHeader) {
    SetFillColor(app, name + ":" + Cell(lastColumn, row), kHeadingFill);
    ClearBorder(app, xl::kInsideVertical);
  }
  if (item.IsHeader || !item.Refs.empty()) {
    app.GetRange(name)->Select();
    SetFont(app, "Bold", 9, xl::kAutomatic);
  }
  if (item.Refs.empty()) return;
  SetAlignment(app, false, true, true);
  SetFillColor(app, "", kBandFill);
  SetRowHeight(app, RowRange(row), kTotalHeight);
  SetFillColor(app, values, kTotalFill);
  WriteTotalFormulas(app, model, p, row, lastColumn);
}

}  // namespace

void LayOutItemRows(Application& app, TemplateModel& model, int lastColumn) {
  const std::string last = ColumnLetter(lastColumn);
  const int lastRow = NumberRows(model);

  app.GetRange("B4:" + last + std::to_string(lastRow))->Select();
  SetGridBorders(app);
  SetAlignment(app, false, true, false);
  const std::string printArea = "A1:" + last + std::to_string(lastRow + 2);
  app.GetRange("B4")->Select();
  ClearBorder(app, xl::kEdgeTop);
  ClearBorder(app, xl::kEdgeLeft);
  SetNumberFormat(app, "C5:" + last + std::to_string(lastRow + 2), "#,##0");
  SetFillColor(app, "C4:" + last + "4", kBandFill);
  SetAlignment(app, true, true, true);

  int k = 0;
  for (int p = 1; p <= model.Count(); ++p) {
    const TemplateItem& item = model.Item(p);
    if (item.IsHeader) LayOutSpacerRow(app, ++k + kFirstItemRow - 1);
    if (!item.Included) continue;
    LayOutItemRow(app, model, p, ++k + kFirstItemRow - 1, lastColumn);
  }

  SetupPage(app, printArea);
  app.GetRange("C5")->Select();
}

}  // namespace tallowmere
