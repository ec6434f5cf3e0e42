// Recalculation of a sheet: formulas evaluated after the cells they refer to wherever
// those lie, errors passed on, cycles shown as #VALUE! without endless work.
#include "engine/core/calc.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tallowmere::engine {
namespace {

struct Entry {
  int row, column;
  const char* text;  // as typed: "=R[1]C+1" is a formula, "5" a number
};
struct Expected {
  int row, column;
  Value value;
};
struct Sheet {
  const char* name;
  std::vector<Entry> entries;
  std::vector<Expected> values;
};
void PrintTo(const Sheet& sheet, std::ostream* out) { *out << sheet.name; }

class Recalculation : public ::testing::TestWithParam<Sheet> {};

TEST_P(Recalculation, StoresEveryFormulasValue) {
  SheetData sheet;
  for (const Entry& entry : GetParam().entries) {
    CellEntry parsed = ParseCellEntry(entry.text);
    Cell& cell = sheet.At(entry.row, entry.column);
    cell.formula = parsed.formula;
    cell.value = parsed.value;
  }
  Recalculate(sheet);
  for (const Expected& expected : GetParam().values) {
    const Cell* cell = sheet.Find(expected.row, expected.column);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->value, expected.value) << "R" << expected.row << "C" << expected.column;
  }
}

const Value kValueError = Value::Error(ErrorCode::Value);

INSTANTIATE_TEST_SUITE_P(
    Sheets, Recalculation,
    ::testing::Values(
        Sheet{"LaterCellsFirst",
              {{1, 1, "=R[1]C+1"}, {2, 1, "=R[1]C*2"}, {3, 1, "5"}},
              {{1, 1, Value::Number(11)}, {2, 1, Value::Number(10)}}},
        Sheet{"AcrossColumnsRightToLeft",
              {{1, 2, "=RC[1]"}, {1, 3, "=RC[1]-1"}, {1, 4, "3"}},
              {{1, 2, Value::Number(2)}, {1, 3, Value::Number(2)}}},
        Sheet{"AreaWithFormulasInside",
              {{1, 1, "2"}, {2, 1, "=R[-1]C*10"}, {3, 1, "=R[-1]C+R[-2]C"}, {4, 1, "=SUM(R[-3]C:R[-1]C)"}},
              {{4, 1, Value::Number(2 + 20 + 22)}}},
        Sheet{"AreaWrittenBackwards",
              {{1, 1, "=SUM(R[3]C:R[1]C)"}, {2, 1, "=R[1]C+1"}, {3, 1, "4"}, {4, 1, "1"}},
              {{1, 1, Value::Number(10)}}},
        Sheet{"EmptyCellsCountAsZero",
              {{1, 1, "=R[5]C+1"}, {1, 2, "=SUM(R[1]C:R[9]C)"}},
              {{1, 1, Value::Number(1)}, {1, 2, Value::Number(0)}}},
        Sheet{"ErrorsPassOn",
              {{1, 1, "=1/0"}, {2, 1, "=R[-1]C+1"}, {3, 1, "=SUM(R[-2]C:R[-1]C)"}, {4, 1, "=R[-3]C*0"}},
              {{1, 1, Value::Error(ErrorCode::Div0)},
               {2, 1, Value::Error(ErrorCode::Div0)},
               {3, 1, Value::Error(ErrorCode::Div0)},
               {4, 1, Value::Error(ErrorCode::Div0)}}},
        Sheet{"TextInArithmetic", {{1, 1, "Cash"}, {2, 1, "=R[-1]C+1"}}, {{2, 1, kValueError}}},
        Sheet{"DateFunctions",
              {{1, 1, "=DATE(2027,2,31)"}, {1, 2, "=MONTH(RC[-1])"}, {1, 3, "=YEAR(RC[-2])"}},
              {{1, 1, Value::Number(DateSerial(2027, 3, 3))}, {1, 2, Value::Number(3)}, {1, 3, Value::Number(2027)}}},
        Sheet{"SelfReference", {{1, 1, "=RC+1"}}, {{1, 1, kValueError}}},
        Sheet{"CycleThroughAnArea",
              {{1, 1, "=SUM(R[1]C:R[2]C)"}, {2, 1, "4"}, {3, 1, "=R[-2]C"}, {4, 1, "=R[-1]C+1"}, {5, 1, "=R[-3]C"}},
              {{1, 1, kValueError}, {3, 1, kValueError}, {4, 1, kValueError}, {5, 1, Value::Number(4)}}},
        Sheet{"TwoCyclesSharingACell",
              {{1, 1, "=R[1]C+R[2]C"}, {2, 1, "=R[-1]C"}, {3, 1, "=R[-2]C"}, {4, 1, "=R[-1]C+1"}},
              {{1, 1, kValueError}, {2, 1, kValueError}, {3, 1, kValueError}, {4, 1, kValueError}}},
        Sheet{"OffTheSheet",
              {{1, 1, "=R[-1]C"}, {1, 2, "=RC[-1]+1"}},
              {{1, 1, Value::Error(ErrorCode::Ref)}, {1, 2, Value::Error(ErrorCode::Ref)}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Recalculate, UsesTheNewValuesOfChangedCells) {
  SheetData sheet;
  sheet.At(1, 1).value = Value::Number(1);
  sheet.At(2, 1).formula = ParseFormulaR1C1("R[-1]C*2");
  sheet.At(3, 1).formula = ParseFormulaR1C1("R[-1]C+R[-2]C");
  Recalculate(sheet);
  EXPECT_EQ(sheet.Find(3, 1)->value, Value::Number(3));
  sheet.At(1, 1).value = Value::Number(5);
  Recalculate(sheet);
  EXPECT_EQ(sheet.Find(2, 1)->value, Value::Number(10));
  EXPECT_EQ(sheet.Find(3, 1)->value, Value::Number(15));
}

// An area as large as whole columns costs what the cells in it hold, and a long chain of
// references inside it is followed without deepening the call stack.
TEST(Recalculate, WholeColumnAreasOverLongChains) {
  SheetData sheet;
  constexpr int kLength = 20000;
  auto previousPlusOne = ParseFormulaR1C1("R[-1]C+1");
  sheet.At(1, 1).value = Value::Number(1);
  for (int row = 2; row <= kLength; ++row) sheet.At(row, 1).formula = previousPlusOne;
  sheet.At(1, 2).formula = ParseFormulaR1C1("SUM(R1C1:R" + std::to_string(kMaxRows) + "C1)");
  Calculator calculator(sheet);
  EXPECT_EQ(calculator.ValueAt(1, 2), Value::Number(static_cast<double>(kLength) * (kLength + 1) / 2));
}

}  // namespace
}  // namespace tallowmere::engine
