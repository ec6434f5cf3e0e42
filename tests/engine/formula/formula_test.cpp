// Formula parsing, printing and evaluation, and what typed cell entries become.

#include "engine/formula/formula.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>

#include "formula_test_printing.h"

namespace tallowmere::engine {
namespace {

// A sheet of a few cells for Evaluate; it fails the test if asked for a cell off the sheet.
class FakeSheet {
 public:
  void Set(int row, int column, Value value) { cells_[{row, column}] = std::move(value); }
  CellLookup Lookup() const {
    return [this](int row, int column) {
      EXPECT_TRUE(row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns) << row << "," << column;
      auto it = cells_.find({row, column});
      return it == cells_.end() ? Value{} : it->second;
    };
  }

 private:
  std::map<std::pair<int, int>, Value> cells_;
};

Value Eval(const std::string& r1c1, int row = 10, int column = 10, const FakeSheet& sheet = FakeSheet()) {
  return Evaluate(*ParseFormulaR1C1(r1c1), row, column, sheet.Lookup());
}

struct Shape {
  std::string r1c1;  // as the layout writes it
  int row, column;   // the cell that holds it
  std::string a1;    // as a spreadsheet shows it there
};

TEST(FormulaShapes, LayoutFormulasPrintInA1AndRoundTripThroughR1C1) {
  const Shape shapes[] = {
      {"R[-2]C[12]", 4, 4, "P2"},
      {"RC[-1]+1", 4, 5, "D4+1"},
      {"DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)", 4, 5, "DATE(YEAR(D4),MONTH(D4)+1,1)"},
      {"R[40]C[-1]", 5, 4, "C45"},
      {"R[-3]C[0]+R[-2]C[0]+R[-1]C[0]", 10, 3, "C7+C8+C9"},
      {"R[-5]C[0]-R[-3]C[0]-R[2]C[0]", 20, 5, "E15-E17-E22"},
      {"SUM(R[-3]C:R[-1]C)", 8, 3, "SUM(C5:C7)"},
      {"R5C3", 1, 1, "$C$5"},
      {"R5C[1]", 1, 1, "B$5"},
      {"(R1C1+2)*-3", 2, 2, "($A$1+2)*-3"},
      {"\"say \"\"hi\"\"\"&TRUE", 1, 1, "\"say \"\"hi\"\"\"&TRUE"},
      {"1.5E+300/0.25", 1, 1, "1.5E+300/0.25"},
      {"R1C1<>2", 1, 1, "$A$1<>2"},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.r1c1);
    FormulaPtr formula = ParseFormulaR1C1(shape.r1c1);
    EXPECT_EQ(PrintA1(*formula, shape.row, shape.column), shape.a1);
    FormulaPtr again = ParseFormulaR1C1(PrintR1C1(*formula));
    EXPECT_EQ(*again, *formula);
  }
  // Offsets of 0 and numbers print in their short forms.
  EXPECT_EQ(PrintR1C1(*ParseFormulaR1C1("R[-3]C[0]+R[0]C[2]")), "R[-3]C+RC[2]");
  EXPECT_EQ(PrintR1C1(*ParseFormulaR1C1("1.0+1e3+0.10")), "1+1000+0.1");
  // Lower case and spaces are accepted; names come out upper case.
  EXPECT_EQ(PrintR1C1(*ParseFormulaR1C1(" sum( r1c1 : r2c1 ) ")), "SUM(R1C1:R2C1)");
}

TEST(FormulaShapes, AreasAreStoredTopLeftToBottomRight) {
  EXPECT_EQ(PrintR1C1(*ParseFormulaR1C1("SUM(R[-1]C[2]:R[-3]C)")), "SUM(R[-3]C:R[-1]C[2])");
}

TEST(FormulaShapes, ReferencesOffTheSheetPrintAsRefErrors) {
  EXPECT_EQ(PrintA1(*ParseFormulaR1C1("R[-5]C+1"), 2, 1), "#REF!+1");
  EXPECT_EQ(PrintA1(*ParseFormulaR1C1("SUM(R1C1:R[-1]C)"), 1, 1), "SUM(#REF!)");
}

TEST(FormulaRefusal, MalformedOrOversizedFormulasAreRefusedWithADescription) {
  const std::string refused[] = {
      "",
      "  ",
      "1+",
      "(1",
      "1)",
      "1 2",
      "SUM()",
      "SUM(1,)",
      "FOO(1)",
      "A1+B1",
      "R",
      "C1",
      "R1",
      "R[99999999]C",
      "RC[-300]",
      "R0C1",
      "R65537C1",
      "R1C257",
      "R[]C",
      "\"unterminated",
      "1e999",
      "1e",
      ".",
      "DATE(1,2)",
      "YEAR(1,2)",
      "#BAD!",
      "1+*2",
      "@",
      "R1C1:",
      "TRUE()",
      "=1",
      std::string(100, '(') + "1" + std::string(100, ')'),
      std::string(200, '-') + "1",
      "\"" + std::string(256, 'x') + "\"",
      std::string(9000, '1'),
      "\"\xFF\"",
  };
  for (const auto& text : refused) {
    SCOPED_TRACE(text.substr(0, 40));
    try {
      ParseFormulaR1C1(text);
      ADD_FAILURE() << "accepted";
    } catch (const FormulaError& error) {
      EXPECT_NE(std::string(error.what()).find("formula"), std::string::npos) << error.what();
    }
  }
}

TEST(FormulaRefusal, LongChainsAreRefusedOnlyPastTheLimits) {
  std::string chain = "1";
  for (int i = 0; i < 500; ++i) chain += "+R1C1";
  EXPECT_EQ(Eval(chain).number, 1);  // empty R1C1 counts 0
  std::string longer = "1";
  for (int i = 0; i < 1100; ++i) longer += "+1";
  EXPECT_THROW(ParseFormulaR1C1(longer), FormulaError);
  // Short enough to parse, but too large for the file's FORMULA record.
  std::string wide = "0.5";
  for (int i = 0; i < 900; ++i) wide += "+0.5";
  EXPECT_THROW(ParseFormulaR1C1(wide), FormulaError);
  std::string thirty = "SUM(1", thirtyOne;
  for (int i = 1; i < 30; ++i) thirty += ",1";
  thirtyOne = thirty + ",1)";
  EXPECT_EQ(Eval(thirty + ")").number, 30);
  EXPECT_THROW(ParseFormulaR1C1(thirtyOne), FormulaError);
}

TEST(FormulaEvaluation, OperatorsFollowSpreadsheetPrecedence) {
  EXPECT_EQ(Eval("1+2*3").number, 7);
  EXPECT_EQ(Eval("(1+2)*3").number, 9);
  EXPECT_EQ(Eval("10-4-3").number, 3);
  EXPECT_EQ(Eval("12/2/3").number, 2);
  EXPECT_EQ(Eval("2^3^2").number, 64);
  EXPECT_EQ(Eval("-2^2").number, 4);
  EXPECT_EQ(Eval("--+3").number, 3);
  EXPECT_EQ(Eval("1+2=3"), Value::Boolean(true));
  EXPECT_EQ(Eval("\"a\"&1+1"), Value::String("a2"));
  EXPECT_EQ(Eval("\"x\"&1/4&TRUE"), Value::String("x0.25TRUE"));
  EXPECT_EQ(Eval("\"apple\"<\"Banana\""), Value::Boolean(true));
  EXPECT_EQ(Eval("\"ABC\"=\"abc\""), Value::Boolean(true));
  EXPECT_EQ(Eval("2<\"1\""), Value::Boolean(true));  // numbers sort before text
  EXPECT_EQ(Eval("3>=3"), Value::Boolean(true));
}

TEST(FormulaEvaluation, EmptyCellsTextAndErrors) {
  FakeSheet sheet;
  sheet.Set(1, 1, Value::String("Week 1"));
  sheet.Set(1, 2, Value::Error(ErrorCode::NA));
  sheet.Set(1, 3, Value::String("12"));
  EXPECT_EQ(Eval("R5C5", 1, 1, sheet), Value::Number(0));  // never Empty
  EXPECT_EQ(Eval("R5C5+1", 1, 1, sheet), Value::Number(1));
  EXPECT_EQ(Eval("R1C1+1", 1, 1, sheet), Value::Error(ErrorCode::Value));
  EXPECT_EQ(Eval("R1C3+1", 1, 1, sheet), Value::Number(13));  // numeric text converts
  EXPECT_EQ(Eval("R1C1", 1, 1, sheet), Value::String("Week 1"));
  EXPECT_EQ(Eval("1/0"), Value::Error(ErrorCode::Div0));
  EXPECT_EQ(Eval("1/R9C9"), Value::Error(ErrorCode::Div0));
  EXPECT_EQ(Eval("1+R1C2*(1/0)", 1, 1, sheet), Value::Error(ErrorCode::NA));  // the first error met
  EXPECT_EQ(Eval("R1C2&\"x\"", 1, 1, sheet), Value::Error(ErrorCode::NA));
  EXPECT_EQ(Eval("R[-5]C", 2, 1), Value::Error(ErrorCode::Ref));
  EXPECT_EQ(Eval("RC[255]", 2, 2), Value::Error(ErrorCode::Ref));
  EXPECT_EQ(Eval("1E+300*1E+300"), Value::Error(ErrorCode::Num));
  EXPECT_EQ(Eval("R1C1:R2C2+1"), Value::Error(ErrorCode::Value));
  EXPECT_EQ(Eval("0^0"), Value::Error(ErrorCode::Num));
}

TEST(FormulaEvaluation, SumAddsNumbersOfRangesAndTypedArguments) {
  FakeSheet sheet;
  sheet.Set(1, 1, Value::Number(1.5));
  sheet.Set(2, 1, Value::String("text"));
  sheet.Set(3, 1, Value::Boolean(true));
  sheet.Set(4, 1, Value::Number(2));
  sheet.Set(1, 2, Value::Number(10));
  // Text, logical values and empty cells in ranges are skipped.
  EXPECT_EQ(Eval("SUM(R1C1:R5C2)", 9, 9, sheet), Value::Number(13.5));
  EXPECT_EQ(Eval("SUM(R2C1)", 9, 9, sheet), Value::Number(0));
  // Typed arguments convert.
  EXPECT_EQ(Eval("SUM(\"3\",TRUE,(R1C1))", 9, 9, sheet), Value::Number(5.5));
  EXPECT_EQ(Eval("SUM(\"x\")"), Value::Error(ErrorCode::Value));
  sheet.Set(5, 2, Value::Error(ErrorCode::Div0));
  EXPECT_EQ(Eval("SUM(R1C1:R5C2)", 9, 9, sheet), Value::Error(ErrorCode::Div0));
  EXPECT_EQ(Eval("SUM(R[-1]C:RC)", 1, 1), Value::Error(ErrorCode::Ref));
}

// A row like the sheet's cash row: numbers with a text and an empty cell among them.
FakeSheet LookupSheet() {
  FakeSheet sheet;
  const double cash[] = {9000, -2000, 4000, -2000, 7000};
  for (int column = 1; column <= 5; ++column) sheet.Set(1, column, Value::Number(cash[column - 1]));
  sheet.Set(1, 6, Value::String("Total"));
  for (int column = 1; column <= 3; ++column) sheet.Set(2, column, Value::String("Week " + std::to_string(column)));
  sheet.Set(3, 1, Value::Number(10));
  sheet.Set(3, 2, Value::Number(20));
  sheet.Set(3, 3, Value::Number(30));
  return sheet;
}

TEST(FormulaEvaluation, MinIndexAndMatchFindTheLowestValueAndItsPlace) {
  const FakeSheet sheet = LookupSheet();
  const struct {
    const char* formula;
    Value expected;
  } cases[] = {
      {"MIN(R1C1:R1C7)", Value::Number(-2000)},  // text and empty cells are skipped
      {"MIN(R1C1:R1C7,-5000)", Value::Number(-5000)},
      {"MIN(R1C6:R1C7)", Value::Number(0)},  // no number at all
      {"MIN(R1C1,\"x\")", Value::Error(ErrorCode::Value)},
      {"MIN(R[-9]C:RC)", Value::Error(ErrorCode::Ref)},
      {"MATCH(-2000,R1C1:R1C7,0)", Value::Number(2)},  // the first of equal values
      {"MATCH(MIN(R1C1:R1C5),R1C1:R1C5,0)", Value::Number(2)},
      {"MATCH(\"WEEK 3\",R2C1:R2C3,0)", Value::Number(3)},  // text without case
      {"MATCH(1,R1C1:R1C5,0)", Value::Error(ErrorCode::NA)},
      {"MATCH(25,R3C1:R3C3)", Value::Number(2)},  // sorted up: the last not above
      {"MATCH(5,R3C1:R3C3,1)", Value::Error(ErrorCode::NA)},
      {"MATCH(10,R1C1:R3C3,0)", Value::Error(ErrorCode::NA)},  // not one row or column
      {"MATCH(#N/A,R1C1:R1C5,0)", Value::Error(ErrorCode::NA)},
      {"INDEX(R2C1:R2C3,2)", Value::String("Week 2")},  // one row: the number picks the column
      {"INDEX(R1C1:R3C1,3)", Value::Number(10)},        // one column: it picks the row
      {"INDEX(R1C1:R3C3,3,2)", Value::Number(20)},
      {"INDEX(R2C1:R2C3,MATCH(MIN(R1C1:R1C3),R1C1:R1C3,0))", Value::String("Week 2")},
      {"INDEX(R2C1:R2C3,4)", Value::Error(ErrorCode::Ref)},
      {"INDEX(R1C1:R3C3,2)", Value::Error(ErrorCode::Ref)},
      {"INDEX(R2C1:R2C3,0)", Value::Error(ErrorCode::Value)},
      {"INDEX(5,1)", Value::Error(ErrorCode::Value)},
      {"INDEX(R1C7:R1C8,1)", Value::Number(0)},  // an empty cell
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.formula, 9, 9, sheet), c.expected) << c.formula;
}

TEST(FormulaEvaluation, DateFunctions) {
  EXPECT_EQ(Eval("DATE(2013,1,1)").number, 41275);
  EXPECT_EQ(Eval("DATE(2013,13,1)").number, DateSerial(2014, 1, 1));
  EXPECT_EQ(Eval("DATE(2013,0,1)").number, DateSerial(2012, 12, 1));
  EXPECT_EQ(Eval("DATE(2013,3,0)").number, DateSerial(2013, 2, 28));
  EXPECT_EQ(Eval("DATE(113,1,1)").number, 41275);  // years below 1900 count from 1900
  EXPECT_EQ(Eval("DATE(1900,2,29)").number, 60);
  EXPECT_EQ(Eval("DATE(10000,1,1)"), Value::Error(ErrorCode::Num));
  EXPECT_EQ(Eval("DATE(1900,1,-1)"), Value::Error(ErrorCode::Num));
  EXPECT_EQ(Eval("DATE(2013,1E+300,1)"), Value::Error(ErrorCode::Num));
  EXPECT_EQ(Eval("YEAR(41275)").number, 2013);
  EXPECT_EQ(Eval("MONTH(41306.75)").number, 2);
  EXPECT_EQ(Eval("YEAR(R1C1)").number, 1900);  // an empty cell is serial 0
  EXPECT_EQ(Eval("YEAR(-1)"), Value::Error(ErrorCode::Num));
  EXPECT_EQ(Eval("MONTH(\"x\")"), Value::Error(ErrorCode::Value));
}

TEST(FormulaEvaluation, MonthHeaderRowAdvancesOneMonthPerColumn) {
  // D4 points at the start date in row 2, E4 onwards add a month to their left neighbour.
  FakeSheet sheet;
  sheet.Set(2, 16, Value::Number(41275));
  sheet.Set(4, 4, Eval("R[-2]C[12]", 4, 4, sheet));
  FormulaPtr next = ParseFormulaR1C1("DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)");
  for (int column = 5; column <= 15; ++column) sheet.Set(4, column, Evaluate(*next, 4, column, sheet.Lookup()));
  EXPECT_EQ(Eval("R4C4", 1, 1, sheet).number, 41275);
  EXPECT_EQ(Eval("R4C15", 1, 1, sheet).number, DateSerial(2013, 12, 1));
  sheet.Set(4, 16, Evaluate(*next, 4, 16, sheet.Lookup()));
  EXPECT_EQ(Eval("R4C16", 1, 1, sheet).number, DateSerial(2014, 1, 1));
}

TEST(Dates, SerialsOfThe1900DateSystem) {
  EXPECT_EQ(DateSerial(1900, 1, 1), 1);
  EXPECT_EQ(DateSerial(1900, 2, 28), 59);
  EXPECT_EQ(DateSerial(1900, 3, 1), 61);
  EXPECT_EQ(DateSerial(2013, 1, 1), 41275);
  EXPECT_EQ(DateSerial(9999, 12, 31), kLastDateSerial);
  struct Expected {
    double serial;
    int year, month, day;
  };
  for (auto e : {Expected{0, 1900, 1, 0}, Expected{1, 1900, 1, 1}, Expected{59, 1900, 2, 28}, Expected{60, 1900, 2, 29},
                 Expected{61, 1900, 3, 1}, Expected{41275.99, 2013, 1, 1}, Expected{2958465, 9999, 12, 31},
                 Expected{2958466, 0, 0, 0}, Expected{-1, 0, 0, 0}, Expected{std::nan(""), 0, 0, 0}}) {
    int year = -1, month = -1, day = -1;
    SerialToDate(e.serial, year, month, day);
    EXPECT_EQ((std::array{year, month, day}), (std::array{e.year, e.month, e.day})) << e.serial;
  }
}

TEST(CellEntries, TypedTextBecomesNumbersDatesTextOrFormulas) {
  EXPECT_EQ(ParseCellEntry("12").value, Value::Number(12));
  EXPECT_EQ(ParseCellEntry("-3.5").value, Value::Number(-3.5));
  EXPECT_EQ(ParseCellEntry("1e3").value, Value::Number(1000));
  EXPECT_EQ(ParseCellEntry("1e3").impliedNumberFormat, "0.00E+00");
  EXPECT_EQ(ParseCellEntry("12").impliedNumberFormat, "");
  EXPECT_EQ(ParseCellEntry(" 7 ").value, Value::Number(7));
  EXPECT_EQ(ParseCellEntry("true").value, Value::Boolean(true));
  EXPECT_EQ(ParseCellEntry("#N/A").value, Value::Error(ErrorCode::NA));
  EXPECT_EQ(ParseCellEntry("").value.type, Value::Type::Empty);
  for (std::string text : {"Week 1", "Cash flow", "Pre-Startup EST", "Acme & Sons", "  spaced  ", "inf", "nan", "0x10",
                           "1,5", "1/1", "2/30/2013", "13/1/2013", "1/1/1899", "1/1/12345", "1/1/201"}) {
    CellEntry entry = ParseCellEntry(text);
    EXPECT_EQ(entry.value, Value::String(text));
    EXPECT_EQ(entry.formula, nullptr);
    EXPECT_EQ(entry.impliedNumberFormat, "");
  }
  EXPECT_EQ(ParseCellEntry("'quoted").value, Value::String("quoted"));
  EXPECT_EQ(ParseCellEntry("'=1+").value, Value::String("=1+"));
  EXPECT_EQ(ParseCellEntry("'12").value, Value::String("12"));
}

TEST(CellEntries, DatesReadMonthDayYear) {
  struct Expected {
    std::string text;
    double serial;
  };
  for (const auto& e : {Expected{"1/1/2013", 41275}, Expected{"01/01/2013", 41275},
                        Expected{"12/31/13", DateSerial(2013, 12, 31)}, Expected{"1/2/30", DateSerial(1930, 1, 2)},
                        Expected{"2/29/1900", 60}, Expected{"2/29/2012", DateSerial(2012, 2, 29)}}) {
    CellEntry entry = ParseCellEntry(e.text);
    EXPECT_EQ(entry.value, Value::Number(e.serial)) << e.text;
    EXPECT_EQ(entry.impliedNumberFormat, "m/d/yyyy") << e.text;
  }
  EXPECT_EQ(ParseCellEntry("2/29/2013").value.type, Value::Type::String);
}

TEST(CellEntries, FormulasAreParsedAndBadOnesRefused) {
  CellEntry entry = ParseCellEntry("=R[-2]C[12]");
  ASSERT_NE(entry.formula, nullptr);
  EXPECT_EQ(PrintA1(*entry.formula, 4, 4), "P2");
  EXPECT_THROW(ParseCellEntry("="), FormulaError);
  EXPECT_THROW(ParseCellEntry("=1+"), FormulaError);
  EXPECT_THROW(ParseCellEntry("=Acme & Sons"), FormulaError);
  EXPECT_THROW(ParseCellEntry(std::string(40000, 'x')), FormulaError);
  EXPECT_EQ(ParseCellEntry(std::string(32767, 'x')).value.text.size(), 32767u);
}

}  // namespace
}  // namespace tallowmere::engine
