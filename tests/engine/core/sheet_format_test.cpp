// Formatting and clearing ranges: whatever way the sheet keeps a format (a cell's own,
// its row's, its column's, the sheet's), every cell of the range shows the style it
// showed before with the change on top, and every other cell shows what it showed.
#include "engine/core/sheet_format.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/address.h"

namespace tallowmere::engine {
namespace {

CellRect Cells(int firstRow, int firstColumn, int lastRow, int lastColumn) {
  return {firstRow, firstColumn, lastRow, lastColumn};
}
CellRect Rows(int first, int last) { return {first, 1, last, kMaxColumns}; }
CellRect Columns(int first, int last) { return {1, first, kMaxRows, last}; }
const CellRect kWholeSheet{1, 1, kMaxRows, kMaxColumns};

// Changes that build on the style a cell shows, or on where it lies in the range.
void Bigger(Style& style, unsigned) { style.font.size += 1; }
void Bold(Style& style, unsigned) { style.font.bold = true; }
StyleChange Fill(int color) {
  return [color](Style& style, unsigned) { style.fillColorIndex = color; };
}
void Boxed(Style& style, unsigned edges) {
  if (edges & kEdgeTop) style.top.line = true;
  if (edges & kEdgeBottom) style.bottom.line = true;
  if (edges & kEdgeLeft) style.left.line = true;
  if (edges & kEdgeRight) style.right.line = true;
}

bool Inside(const CellRect& range, int row, int column) {
  return row >= range.firstRow && row <= range.lastRow && column >= range.firstColumn && column <= range.lastColumn;
}
unsigned EdgesOf(const CellRect& range, int row, int column) {
  return (row == range.firstRow ? kEdgeTop : 0u) | (row == range.lastRow ? kEdgeBottom : 0u) |
         (column == range.firstColumn ? kEdgeLeft : 0u) | (column == range.lastColumn ? kEdgeRight : 0u);
}

// The cells looked at: a corner of the sheet, and cells far along its rows and columns.
std::vector<std::pair<int, int>> Probes() {
  std::vector<std::pair<int, int>> probes;
  for (int row : {1, 2, 3, 4, 5, 6, 500}) {
    for (int column : {1, 2, 3, 4, 5, 6, 100}) probes.emplace_back(row, column);
  }
  return probes;
}

struct Step {
  CellRect range;
  StyleChange change;
};
struct Formatting {
  const char* name;
  std::vector<Step> steps;
};
void PrintTo(const Formatting& formatting, std::ostream* out) { *out << formatting.name; }

class RangeFormats : public ::testing::TestWithParam<Formatting> {};

TEST_P(RangeFormats, ChangeWhatEachCellOfTheRangeShowsAndNothingElse) {
  WorkbookData book;
  SheetData sheet;
  sheet.At(3, 3).value = Value::Number(1);  // a cell that exists before any format
  for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
    const Step& step = GetParam().steps[i];
    std::map<std::pair<int, int>, Style> expected;
    for (auto [row, column] : Probes()) {
      Style style = book.styles.Get(sheet.EffectiveStyle(row, column));
      if (Inside(step.range, row, column)) step.change(style, EdgesOf(step.range, row, column));
      expected[{row, column}] = style;
    }
    ApplyStyleChange(book, sheet, step.range, step.change);
    for (auto [row, column] : Probes()) {
      EXPECT_EQ(book.styles.Get(sheet.EffectiveStyle(row, column)), (expected[{row, column}]))
          << "step " << i + 1 << ", R" << row << "C" << column;
    }
  }
  EXPECT_EQ(sheet.Find(3, 3)->value, Value::Number(1));
}

// Edges tell the change where a cell lies; whole rows and columns get changes that do
// not ask, as their cells in the first and last column or row are not kept one by one.
INSTANTIATE_TEST_SUITE_P(
    Ranges, RangeFormats,
    ::testing::Values(
        Formatting{"BoxOnAnEmptySheet", {{Cells(2, 2, 4, 5), Boxed}}},
        Formatting{"OneCellBoxed", {{Cells(5, 5, 5, 5), Boxed}}},
        Formatting{"RectangleOverAFormattedColumn", {{Columns(3, 3), Fill(6)}, {Cells(2, 2, 4, 4), Boxed}}},
        Formatting{"RectangleOverAFormattedRow", {{Rows(4, 4), Fill(6)}, {Cells(2, 2, 5, 3), Bigger}}},
        Formatting{"RowCrossingAFormattedColumn", {{Columns(3, 4), Fill(6)}, {Rows(2, 2), Bigger}}},
        Formatting{"ColumnCrossingAFormattedRow", {{Rows(2, 3), Fill(6)}, {Columns(3, 3), Bigger}}},
        Formatting{"RowsTwiceOverlapping", {{Rows(2, 4), Bigger}, {Rows(3, 5), Bigger}, {Cells(4, 1, 4, 6), Bold}}},
        Formatting{"ColumnsOverCellsOfTheirOwn", {{Cells(2, 2, 5, 5), Fill(7)}, {Columns(2, 3), Bigger}}},
        Formatting{
            "SheetOverEverything",
            {{Rows(2, 2), Fill(6)}, {Columns(3, 3), Fill(7)}, {Cells(4, 4, 5, 5), Boxed}, {kWholeSheet, Bigger}}},
        Formatting{"RowsAfterTheSheet", {{kWholeSheet, Fill(5)}, {Rows(3, 3), Bigger}, {Columns(5, 5), Bold}}}),
    [](const auto& test) { return std::string(test.param.name); });

struct Clearing {
  const char* name;
  CellRect range;
  std::vector<CellRect> mergesKept;
};
void PrintTo(const Clearing& clearing, std::ostream* out) { *out << clearing.name; }

class ClearedRanges : public ::testing::TestWithParam<Clearing> {};

// A sheet with a formatted row, a formatted column, cells of their own and two merges.
TEST_P(ClearedRanges, RemoveContentFormatsAndMergesInsideOnly) {
  WorkbookData book;
  SheetData sheet;
  ApplyStyleChange(book, sheet, Rows(2, 2), Fill(6));
  ApplyStyleChange(book, sheet, Columns(3, 3), Fill(7));
  ApplyStyleChange(book, sheet, Cells(4, 4, 5, 5), Boxed);
  for (auto [row, column] : Probes()) sheet.At(row, column).value = Value::Number(row * 1000 + column);
  sheet.merges = {Cells(4, 4, 5, 5), Cells(1, 5, 2, 6)};
  std::map<std::pair<int, int>, StyleId> before;
  for (auto [row, column] : Probes()) before[{row, column}] = sheet.EffectiveStyle(row, column);

  const CellRect& range = GetParam().range;
  ClearRange(sheet, range);
  for (auto [row, column] : Probes()) {
    const Cell* cell = sheet.Find(row, column);
    if (Inside(range, row, column)) {
      EXPECT_FALSE(cell && cell->HasContent()) << "R" << row << "C" << column;
      // A cleared cell keeps no format of its own; inside a rectangle it shows the default
      // style even where a row or column is formatted, and cleared rows and columns lose
      // their formats.
      const bool whole = IsWholeRows(range) || IsWholeColumns(range);
      EXPECT_EQ(sheet.EffectiveStyle(row, column), whole ? sheet.InheritedStyle(row, column) : 0u)
          << "R" << row << "C" << column;
      if (IsWholeRows(range)) {
        EXPECT_EQ(sheet.rowStyles.count(row), 0u);
      }
      if (IsWholeColumns(range)) {
        EXPECT_EQ(sheet.columnStyles.count(column), 0u);
      }
    } else {
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->value, Value::Number(row * 1000 + column));
      EXPECT_EQ(sheet.EffectiveStyle(row, column), (before[{row, column}])) << "R" << row << "C" << column;
    }
  }
  EXPECT_EQ(sheet.merges, GetParam().mergesKept);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ClearedRanges,
    ::testing::Values(
        Clearing{"CellsCrossingTheFormattedRowAndColumn", Cells(2, 2, 3, 3), {Cells(4, 4, 5, 5), Cells(1, 5, 2, 6)}},
        Clearing{"CellsHoldingOneMergeAndPartOfTheOther", Cells(2, 4, 6, 6), {Cells(1, 5, 2, 6)}},
        Clearing{"TheFormattedRow", Rows(2, 2), {Cells(4, 4, 5, 5), Cells(1, 5, 2, 6)}},
        Clearing{"ColumnsHoldingBothMerges", Columns(3, 6), {}}, Clearing{"TheWholeSheet", kWholeSheet, {}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tallowmere::engine
