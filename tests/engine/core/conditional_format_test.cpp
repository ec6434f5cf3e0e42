// Conditions on cell values: which hold, which one a cell shows, and what a sheet keeps.

#include "engine/core/conditional_format.h"

#include <gtest/gtest.h>

#include "engine/core/engine_error.h"
#include "engine/core/sheet_format.h"

namespace tallowmere::engine {
namespace {

using Operator = FormatConditionData::Operator;

FormatConditionData Condition(Operator op, const std::string& first, const std::string& second = "") {
  FormatConditionData condition;
  condition.op = op;
  condition.formula1 = ParseFormulaR1C1(first);
  if (!second.empty()) condition.formula2 = ParseFormulaR1C1(second);
  return condition;
}

TEST(ConditionalFormat, ConditionsCompareNumbersAndEmptyCellsOnly) {
  struct Case {
    Operator op;
    std::string first, second;
    Value value;
    bool holds;
  };
  const Case cases[] = {
      {Operator::Less, "0", "", Value::Number(-0.01), true},
      {Operator::Less, "0", "", Value::Number(0), false},
      {Operator::Less, "5000", "", Value{}, true},  // an empty cell counts as 0
      {Operator::Less, "0", "", Value{}, false},
      {Operator::LessEqual, "0", "", Value::Number(0), true},
      {Operator::Greater, "-1", "", Value::Number(0), true},
      {Operator::GreaterEqual, "2", "", Value::Number(1.5), false},
      {Operator::Equal, "2*3", "", Value::Number(6), true},
      {Operator::NotEqual, "6", "", Value::Number(6), false},
      {Operator::Between, "0", "4999.99", Value::Number(4999.99), true},
      {Operator::Between, "10", "0", Value::Number(5), true},  // bounds in either order
      {Operator::Between, "0", "10", Value::Number(10.5), false},
      {Operator::NotBetween, "0", "10", Value::Number(10.5), true},
      {Operator::Less, "0", "", Value::String("-5"), false},
      {Operator::Less, "0", "", Value::Error(ErrorCode::Div0), false},
      {Operator::Greater, "-1", "", Value::Boolean(true), false},
      {Operator::Less, "\"a\"", "", Value::Number(-1), false},  // no number to compare with
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConditionHolds(Condition(c.op, c.first, c.second), c.value), c.holds)
        << static_cast<int>(c.op) << " " << c.first << " " << c.value.number;
  }
}

TEST(ConditionalFormat, FirstHoldingConditionOfTheCoveringRangeWins) {
  SheetData sheet;
  const CellRect row{7, 4, 7, 15};
  AddFormatCondition(sheet, row, Condition(Operator::Less, "0"));
  const auto amber = AddFormatCondition(sheet, row, Condition(Operator::Less, "5000"));
  EXPECT_EQ(amber, (std::pair<std::size_t, std::size_t>{0, 1}));
  EXPECT_EQ(MatchingCondition(sheet, 7, 4, Value::Number(-1)), &sheet.conditionalFormats[0].conditions[0]);
  EXPECT_EQ(MatchingCondition(sheet, 7, 15, Value::Number(4000)), &sheet.conditionalFormats[0].conditions[1]);
  EXPECT_EQ(MatchingCondition(sheet, 7, 15, Value::Number(5000)), nullptr);
  EXPECT_EQ(MatchingCondition(sheet, 7, 16, Value::Number(-1)), nullptr);  // outside the range
  EXPECT_EQ(MatchingCondition(sheet, 8, 4, Value::Number(-1)), nullptr);
}

TEST(ConditionalFormat, RefusesWhatAFileCannotHold) {
  SheetData sheet;
  const CellRect range{1, 1, 1, 3};
  for (int i = 0; i < 3; ++i) AddFormatCondition(sheet, range, Condition(Operator::Less, "0"));
  EXPECT_THROW(AddFormatCondition(sheet, range, Condition(Operator::Less, "0")), EngineError);
  EXPECT_THROW(AddFormatCondition(sheet, {2, 1, 2, 1}, Condition(Operator::Less, "R1C1")), EngineError);
  EXPECT_THROW(AddFormatCondition(sheet, {2, 1, 2, 1}, Condition(Operator::Between, "0")), EngineError);
  EXPECT_THROW(AddFormatCondition(sheet, {2, 1, 2, 1}, Condition(Operator::Less, "0", "1")), EngineError);
  EXPECT_EQ(sheet.conditionalFormats.size(), 1u);
}

TEST(ConditionalFormat, ClearingRemovesTheConditionsInsideTheRange) {
  SheetData sheet;
  AddFormatCondition(sheet, {5, 4, 5, 15}, Condition(Operator::Less, "0"));
  AddFormatCondition(sheet, {9, 4, 9, 15}, Condition(Operator::Less, "0"));
  ClearRange(sheet, {5, 4, 5, 10});  // part of the first range: it stays
  EXPECT_EQ(sheet.conditionalFormats.size(), 2u);
  ClearRange(sheet, {1, 1, 6, 20});
  ASSERT_EQ(sheet.conditionalFormats.size(), 1u);
  EXPECT_EQ(sheet.conditionalFormats[0].range.firstRow, 9);
  ClearRange(sheet, {1, 1, kMaxRows, kMaxColumns});
  EXPECT_TRUE(sheet.conditionalFormats.empty());
}

}  // namespace
}  // namespace tallowmere::engine
