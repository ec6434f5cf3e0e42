// The engine's workbook model: style resolution and interning, formats on ranges, rows,
// columns and the sheet, borders as a spreadsheet draws them, clearing, values typed
// into cells, and the calculator's handling of cycles and long reference chains.
#include <gtest/gtest.h>

#include "engine/application/engine_objects.h"
#include "engine/core/calc.h"
#include "engine/core/conditional_format.h"
#include "engine/core/sheet_format.h"
#include "engine/core/workbook.h"

namespace tallowmere::engine {
namespace {

class SheetTest : public ::testing::Test {
 protected:
  SheetTest() {
    context_->data = std::make_shared<WorkbookData>();
    context_->clipboard = &clipboard_;
    context_->data->sheets.push_back(sheet_);
  }
  EngineRange At(int r1, int c1, int r2, int c2) { return EngineRange(context_, sheet_, {r1, c1, r2, c2}); }
  EngineRange At(int r, int c) { return At(r, c, r, c); }
  EngineRange Row(int r) { return At(r, 1, r, kMaxColumns); }
  EngineRange Column(int c) { return At(1, c, kMaxRows, c); }
  EngineRange All() { return At(1, 1, kMaxRows, kMaxColumns); }
  const Style& Shown(int r, int c) { return context_->data->styles.Get(sheet_->EffectiveStyle(r, c)); }
  const Cell* Find(int r, int c) { return sheet_->Find(r, c); }

  InProcessClipboard clipboard_;
  ContextPtr context_ = std::make_shared<WorkbookContext>();
  std::shared_ptr<SheetData> sheet_ = std::make_shared<SheetData>();
};

TEST_F(SheetTest, EqualStylesShareOneId) {
  StyleTable table;
  Style bold;
  bold.font.bold = true;
  StyleId a = table.Intern(bold);
  EXPECT_EQ(table.Intern(bold), a);
  EXPECT_EQ(table.Intern(Style{}), 0u);
  bold.font.name = "Arial Black";
  EXPECT_NE(table.Intern(bold), a);
}

TEST_F(SheetTest, CellRowColumnAndSheetFormatsResolveInThatOrder) {
  All().SetInteriorColorIndex(2);
  Column(3).SetFontStyle("Italic");
  Row(5).SetFontStyle("Bold");
  EXPECT_EQ(Shown(1, 1).fillColorIndex, 2);
  EXPECT_TRUE(Shown(1, 3).font.italic);
  EXPECT_TRUE(Shown(5, 1).font.bold);
  // Where the formatted row and column cross, the cell exists on its own: the column's
  // look with the row's change on top ("Bold" means upright).
  ASSERT_NE(Find(5, 3), nullptr);
  EXPECT_TRUE(Shown(5, 3).font.bold);
  EXPECT_FALSE(Shown(5, 3).font.italic);
  EXPECT_EQ(Shown(5, 3).fillColorIndex, 2);
  EXPECT_EQ(sheet_->Cells().size(), 1u);

  // A rectangle starts from what each cell shows now.
  At(4, 2, 6, 3).SetNumberFormat("#,##0");
  EXPECT_EQ(Shown(4, 2).numberFormat, "#,##0");
  EXPECT_EQ(Shown(4, 2).fillColorIndex, 2);
  EXPECT_TRUE(Shown(5, 2).font.bold);
  EXPECT_TRUE(Shown(6, 3).font.italic);
  EXPECT_EQ(Shown(7, 2).numberFormat, "General");

  // The whole sheet changes every format and every cell.
  All().SetFontName("Verdana");
  EXPECT_EQ(Shown(5, 3).font.name, "Verdana");
  EXPECT_EQ(Shown(5, 200).font.name, "Verdana");
  EXPECT_EQ(Shown(9, 3).font.name, "Verdana");
  EXPECT_TRUE(Shown(9, 3).font.italic);
}

TEST_F(SheetTest, GridBordersLieOnTheOuterAndFacingSides) {
  auto grid = At(4, 2, 6, 4);
  for (int index = xl::kEdgeLeft; index <= xl::kInsideHorizontal; ++index) {
    grid.SetBorderWeight(index, xl::kThin);
    grid.SetBorderColorIndex(index, 16);
  }
  const BorderSide line{true, 16};
  for (int r = 4; r <= 6; ++r) {
    for (int c = 2; c <= 4; ++c) {
      const Style& s = Shown(r, c);
      EXPECT_EQ(s.left, line);
      EXPECT_EQ(s.right, line);
      EXPECT_EQ(s.top, line);
      EXPECT_EQ(s.bottom, line);
    }
  }
  EXPECT_EQ(Find(4, 1), nullptr);  // outside the range nothing changes
  EXPECT_EQ(Find(3, 2), nullptr);

  // A band across the grid: no inside vertical lines, outer edges kept.
  At(5, 2, 5, 4).SetBorderLineStyle(xl::kInsideVertical, xl::kNone);
  EXPECT_EQ(Shown(5, 2).left, line);
  EXPECT_FALSE(Shown(5, 2).right.line);
  EXPECT_FALSE(Shown(5, 3).left.line);
  EXPECT_FALSE(Shown(5, 3).right.line);
  EXPECT_FALSE(Shown(5, 4).left.line);
  EXPECT_EQ(Shown(5, 4).right, line);
  EXPECT_EQ(Shown(5, 3).top, line);
  EXPECT_EQ(Shown(4, 3).right, line);  // the rows above and below keep theirs

  // A whole spacer row loses every vertical line but keeps the horizontal ones.
  for (int index : {xl::kEdgeLeft, xl::kEdgeRight, xl::kInsideVertical}) Row(6).SetBorderLineStyle(index, xl::kNone);
  for (int c = 2; c <= 4; ++c) {
    EXPECT_FALSE(Shown(6, c).left.line);
    EXPECT_FALSE(Shown(6, c).right.line);
    EXPECT_EQ(Shown(6, c).bottom, line);
  }

  // The corner cell: top and left edges removed.
  At(4, 2).SetBorderLineStyle(xl::kEdgeTop, xl::kNone);
  At(4, 2).SetBorderLineStyle(xl::kEdgeLeft, xl::kNone);
  EXPECT_FALSE(Shown(4, 2).top.line);
  EXPECT_FALSE(Shown(4, 2).left.line);
  EXPECT_EQ(Shown(4, 2).right, line);
}

TEST_F(SheetTest, ClearRemovesContentAndFormatsOfTheRangeOnly) {
  Row(3).SetFontStyle("Bold");
  At(3, 2).SetFormulaR1C1("x");
  At(3, 3).SetFormulaR1C1("y");
  At(2, 2, 3, 2).Merge();
  At(3, 2).Clear();
  ASSERT_NE(Find(3, 2), nullptr);
  EXPECT_FALSE(Find(3, 2)->HasContent());
  EXPECT_FALSE(Shown(3, 2).font.bold);  // the default style, not the row's
  EXPECT_TRUE(Shown(3, 4).font.bold);
  EXPECT_TRUE(Find(3, 3)->HasContent());
  EXPECT_EQ(sheet_->merges.size(), 1u);  // a merge only partly inside stays

  All().Clear();
  EXPECT_TRUE(sheet_->Cells().empty());
  EXPECT_TRUE(sheet_->rowStyles.empty());
  EXPECT_TRUE(sheet_->merges.empty());
  EXPECT_EQ(sheet_->EffectiveStyle(3, 4), 0u);
}

TEST_F(SheetTest, TypedEntriesBecomeValuesFormulasAndDates) {
  At(2, 2).SetFormulaR1C1("1/1/2013");
  EXPECT_EQ(Find(2, 2)->value, Value::Number(41275));
  EXPECT_EQ(Shown(2, 2).numberFormat, "m/d/yyyy");
  At(2, 3).SetNumberFormat("mmm-yy");
  At(2, 3).SetFormulaR1C1("2/1/2013");
  EXPECT_EQ(Shown(2, 3).numberFormat, "mmm-yy");  // an explicit format stays

  At(3, 2, 3, 4).SetFormulaR1C1("=R[-1]C+1");  // relative: one formula for every cell
  Recalculate(*sheet_);
  EXPECT_EQ(Find(3, 2)->value, Value::Number(41276));
  EXPECT_EQ(Find(3, 3)->value, Value::Number(41307));
  EXPECT_EQ(Find(3, 4)->value, Value::Number(1));

  At(4, 2).SetFormulaR1C1("Cash");
  EXPECT_EQ(Find(4, 2)->value, Value::String("Cash"));
  At(4, 2).SetFormulaR1C1("");
  EXPECT_FALSE(Find(4, 2)->HasContent());

  At(5, 2).SetFormulaR1C1("keep");
  At(5, 3).SetFormulaR1C1("lost");
  At(5, 2, 6, 3).Merge();
  EXPECT_TRUE(Find(5, 2)->HasContent());
  EXPECT_FALSE(Find(5, 3)->HasContent());
}

TEST_F(SheetTest, CyclesGiveErrorValuesWithoutEndlessRecursion) {
  At(1, 1).SetFormulaR1C1("=R[1]C");
  At(2, 1).SetFormulaR1C1("=R[-1]C+1");
  At(3, 1).SetFormulaR1C1("=RC");
  At(4, 1).SetFormulaR1C1("=R[-3]C*2");  // depends on the cycle
  At(5, 1).SetFormulaR1C1("7");
  At(6, 1).SetFormulaR1C1("=R[-1]C+R[-100]C");  // off the sheet
  Recalculate(*sheet_);
  for (int r : {1, 2, 3, 4}) EXPECT_EQ(Find(r, 1)->value.type, Value::Type::Error) << r;
  EXPECT_EQ(Find(5, 1)->value, Value::Number(7));
  EXPECT_EQ(Find(6, 1)->value, Value::Error(ErrorCode::Ref));
}

TEST_F(SheetTest, LongChainsInEitherDirectionAreCalculated) {
  // Each cell refers to the one below it: evaluating the first needs the whole chain.
  constexpr int kLength = 10000;
  auto down = ParseFormulaR1C1("R[1]C+1");
  for (int r = 1; r < kLength; ++r) sheet_->At(r, 1).formula = down;
  sheet_->At(kLength, 1).value = Value::Number(0);
  auto up = ParseFormulaR1C1("R[-1]C+1");
  sheet_->At(1, 2).value = Value::Number(0);
  for (int r = 2; r <= kLength; ++r) sheet_->At(r, 2).formula = up;
  Calculator calculator(*sheet_);
  EXPECT_EQ(calculator.ValueAt(1, 1), Value::Number(kLength - 1));
  EXPECT_EQ(calculator.ValueAt(kLength, 2), Value::Number(kLength - 1));
}

TEST_F(SheetTest, UsedRectCountsContentAndOwnFormattingOnly) {
  All().SetInteriorColorIndex(2);
  Row(40).SetRowHeight(30);
  EXPECT_EQ(UsedRect(*sheet_), (CellRect{1, 1, 1, 1}));
  At(4, 2, 6, 16).SetBorderWeight(xl::kEdgeTop, xl::kThin);
  At(50, 3).SetFormulaR1C1("=1");
  EXPECT_EQ(UsedRect(*sheet_), (CellRect{4, 2, 50, 16}));
}

}  // namespace
}  // namespace tallowmere::engine

namespace tallowmere::engine {
namespace {

// FormatConditions.Add keeps the condition with its colours as 0xRRGGBB and refuses what
// the object model refuses, with the member named.
TEST_F(SheetTest, FormatConditionsAddConditionsAndRefuseBadArguments) {
  EngineRange row = At(5, 4, 5, 15);
  const auto condition = row.AddFormatCondition(xl::kCellValue, xl::kBetween, "=0", "=4999.99");
  condition->SetFontColor(0x06009C);  // red 0x9C, blue 0x06
  condition->SetInteriorColor(0xCEC7FF);
  ASSERT_EQ(sheet_->conditionalFormats.size(), 1u);
  const FormatConditionData& kept = sheet_->conditionalFormats[0].conditions.at(0);
  EXPECT_EQ(kept.op, FormatConditionData::Operator::Between);
  EXPECT_EQ(kept.fontRgb, 0x9C0006u);
  EXPECT_EQ(kept.fillRgb, 0xFFC7CEu);
  EXPECT_TRUE(ConditionHolds(kept, Value::Number(4999.99)));
  EXPECT_THROW(condition->SetFontColor(0x1000000), AutomationError);
  EXPECT_THROW(condition->SetInteriorColor(-1), AutomationError);
  const struct {
    int type, op;
    const char *first, *second;
  } refused[] = {
      {2, xl::kLess, "=0", ""},              // a formula condition
      {xl::kCellValue, 9, "=0", ""},         // no such operator
      {xl::kCellValue, xl::kLess, "0", ""},  // no "="
      {xl::kCellValue, xl::kLess, "=1+", ""},
      {xl::kCellValue, xl::kLess, "=R1C1", ""},  // a cell, not a constant
      {xl::kCellValue, xl::kNotBetween, "=0", ""},
  };
  for (const auto& r : refused) {
    try {
      At(9, 4, 9, 15).AddFormatCondition(r.type, r.op, r.first, r.second);
      ADD_FAILURE() << r.first << " " << r.op;
    } catch (const AutomationError& e) {
      EXPECT_NE(std::string(e.what()).find("FormatConditions"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(sheet_->conditionalFormats.size(), 1u);
  All().Clear();  // the condition goes with the cells
  EXPECT_THROW(condition->SetFontColor(0), AutomationError);
}

}  // namespace
}  // namespace tallowmere::engine
