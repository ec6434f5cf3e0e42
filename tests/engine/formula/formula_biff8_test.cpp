// The BIFF8 token form of formulas: the exact bytes for the shapes the layout writes,
// round trips, and the decoder's refusal of damaged or foreign token streams.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/formula/formula.h"
#include "formula_test_printing.h"

namespace tallowmere::engine {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encode(const std::string& r1c1, int row, int column) { return EncodeBiff8(*ParseFormulaR1C1(r1c1), row, column); }

FormulaPtr Decode(const Bytes& bytes, int row = 10, int column = 10) {
  return DecodeBiff8(bytes.data(), bytes.size(), row, column);
}

TEST(Biff8Tokens, LayoutFormulasEncodeAsASpreadsheetWritesThem) {
  // tRefV with the target cell (0-based) and both parts relative.
  EXPECT_EQ(Encode("R[-2]C[12]", 4, 4), (Bytes{0x44, 0x01, 0x00, 0x0F, 0xC0}));
  EXPECT_EQ(Encode("R5C3", 9, 9), (Bytes{0x44, 0x04, 0x00, 0x02, 0x00}));
  EXPECT_EQ(Encode("R5C[1]", 1, 1), (Bytes{0x44, 0x04, 0x00, 0x01, 0x40}));
  EXPECT_EQ(Encode("RC[-1]+1", 4, 5), (Bytes{0x44, 0x03, 0x00, 0x03, 0xC0, 0x1E, 0x01, 0x00, 0x03}));
  // SUM takes its range as a reference (tAreaR) and is a tFuncVarV with one argument.
  EXPECT_EQ(Encode("SUM(R[-3]C:R[-1]C)", 8, 3),
            (Bytes{0x25, 0x04, 0x00, 0x06, 0x00, 0x02, 0xC0, 0x02, 0xC0, 0x42, 0x01, 0x04, 0x00}));
  // DATE(YEAR(D4),MONTH(D4)+1,1) in E4: tFuncV 69, 68 and 65.
  EXPECT_EQ(Encode("DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)", 4, 5),
            (Bytes{0x44, 0x03, 0x00, 0x03, 0xC0, 0x41, 0x45, 0x00, 0x44, 0x03, 0x00, 0x03, 0xC0,
                   0x41, 0x44, 0x00, 0x1E, 0x01, 0x00, 0x03, 0x1E, 0x01, 0x00, 0x41, 0x41, 0x00}));
  // MIN, MATCH and INDEX are tFuncVarV 6, 64 and 29 with their argument counts.
  EXPECT_EQ(Encode("MIN(R1C1:R1C2)", 1, 1),
            (Bytes{0x25, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x42, 0x01, 0x06, 0x00}));
  EXPECT_EQ(Encode("MATCH(1,R1C1,0)", 1, 2),
            (Bytes{0x1E, 0x01, 0x00, 0x24, 0x00, 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x42, 0x03, 0x40, 0x00}));
  EXPECT_EQ(Encode("INDEX(R1C1,1)", 1, 2),
            (Bytes{0x24, 0x00, 0x00, 0x00, 0x00, 0x1E, 0x01, 0x00, 0x42, 0x02, 0x1D, 0x00}));
  EXPECT_EQ(Encode("R[-3]C[0]-R[-1]C[0]", 8, 3),
            (Bytes{0x44, 0x04, 0x00, 0x02, 0xC0, 0x44, 0x06, 0x00, 0x02, 0xC0, 0x04}));
}

TEST(Biff8Tokens, ConstantsAndOperators) {
  EXPECT_EQ(Encode("-7", 1, 1), (Bytes{0x1E, 0x07, 0x00, 0x13}));
  EXPECT_EQ(Encode("(65535)", 1, 1), (Bytes{0x1E, 0xFF, 0xFF, 0x15}));
  Bytes half = Encode("65536.5", 1, 1);
  ASSERT_EQ(half.size(), 9u);
  EXPECT_EQ(half[0], 0x1F);
  double value;
  std::memcpy(&value, half.data() + 1, 8);
  EXPECT_EQ(value, 65536.5);
  EXPECT_EQ(Encode("\"\xC3\xA9\"", 1, 1), (Bytes{0x17, 0x01, 0x00, 0xE9}));            // é, one byte
  EXPECT_EQ(Encode("\"\xE2\x82\xAC\"", 1, 1), (Bytes{0x17, 0x01, 0x01, 0xAC, 0x20}));  // €, UTF-16
  EXPECT_EQ(Encode("TRUE&#N/A", 1, 1), (Bytes{0x1D, 0x01, 0x1C, 0x2A, 0x08}));
  EXPECT_EQ(Encode("1<=2", 1, 1), (Bytes{0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x0A}));
}

TEST(Biff8Tokens, EveryParsedFormulaSurvivesARoundTrip) {
  const char* formulas[] = {
      "R[-2]C[12]",
      "RC[-1]+1",
      "DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)",
      "R[40]C[-1]",
      "R[-3]C[0]+R[-2]C[0]+R[-1]C[0]",
      "R[-3]C-R[-2]C-R[1]C",
      "SUM(R[-3]C:R[-1]C,R1C1,2.5,\"3\")",
      "R5C3*R5C[1]/R[1]C5",
      "-(1+2)^+3",
      "\"Acme \"\"&\"\" Sons\"&R1C1",
      "1<>2",
      "1>2",
      "1>=2",
      "1=2",
      "TRUE",
      "#DIV/0!",
      "1E+300",
      "0.1",
      "\"\xE2\x82\xAC 5\"",
      "SUM(((R1C1:R2C2)))",
      "INDEX(R4C4:R4C15,MATCH(MIN(R20C4:R20C15),R20C4:R20C15,0))",
      "INDEX(R1C1:R3C3,2,3)",
      "MATCH(1,R1C1:R1C3)",
  };
  for (const char* text : formulas) {
    SCOPED_TRACE(text);
    FormulaPtr formula = ParseFormulaR1C1(text);
    Bytes bytes = EncodeBiff8(*formula, 50, 20);
    FormulaPtr decoded = Decode(bytes, 50, 20);
    EXPECT_EQ(*decoded, *formula);
    EXPECT_EQ(PrintR1C1(*decoded), PrintR1C1(*formula));
  }
}

TEST(Biff8Tokens, ReferencesOffTheSheetBecomeRefErrors) {
  Bytes bytes = Encode("R[-5]C+SUM(R[-9]C:RC)", 2, 1);
  EXPECT_EQ(bytes[0], 0x4A);  // tRefErrV
  FormulaPtr decoded = Decode(bytes, 2, 1);
  EXPECT_EQ(PrintA1(*decoded, 2, 1), "#REF!+SUM(#REF!)");
  EXPECT_EQ(Evaluate(*decoded, 2, 1, [](int, int) { return Value{}; }), Value::Error(ErrorCode::Ref));
}

TEST(Biff8Tokens, DecodesWhatOtherWritersAdd) {
  // A space attribute and a volatile attribute are skipped.
  EXPECT_EQ(PrintR1C1(*Decode({0x19, 0x01, 0x00, 0x00, 0x19, 0x40, 0x00, 0x01, 0x1E, 0x05, 0x00})), "5");
  // tAttrSum is a SUM of one argument.
  EXPECT_EQ(
      PrintA1(*Decode({0x25, 0x04, 0x00, 0x06, 0x00, 0x02, 0xC0, 0x02, 0xC0, 0x19, 0x10, 0x00, 0x00}, 8, 3), 8, 3),
      "SUM(C5:C7)");
  // Reference-class and array-class references, and DATE written as a variable function.
  EXPECT_EQ(PrintA1(*Decode({0x64, 0x00, 0x00, 0x00, 0x00}), 10, 10), "$A$1");
  EXPECT_EQ(PrintR1C1(*Decode({0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x1E, 0x03, 0x00, 0x42, 0x03, 0x41, 0x00})),
            "DATE(1,2,3)");
  // Shared-formula references hold signed offsets.
  EXPECT_EQ(PrintR1C1(*Decode({0x2C, 0xFE, 0xFF, 0xFF, 0xC0})), "R[-2]C[-1]");
  // Operators without their own parentheses get them when printed.
  EXPECT_EQ(PrintR1C1(*Decode({0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x1E, 0x03, 0x00, 0x03, 0x05})), "1*(2+3)");
}

TEST(Biff8Tokens, DamagedOrForeignTokensAreRefused) {
  const Bytes refused[] = {
      {},
      {0x03},                                      // operator without operands
      {0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00},        // two operands, no operator
      {0x1E, 0x01},                                // cut short
      {0x1F, 0, 0, 0, 0, 0, 0, 0xF8, 0x7F},        // NaN
      {0x44, 0x00, 0x00, 0x00, 0x01},              // column 256
      {0x41, 0x0F, 0x00},                          // a function the engine does not know
      {0x1E, 0x01, 0x00, 0x42, 0x02, 0x04, 0x00},  // SUM of two, one on the stack
      {0x1E, 0x01, 0x00, 0x41, 0x04, 0x00},        // SUM written as fixed
      {0x1E, 0x01, 0x00, 0x42, 0x01, 0x04, 0x80},  // command-equivalent flag
      {0x01, 0x00, 0x00, 0x00, 0x00},              // tExp: shared formula
      {0x1E, 0x01, 0x00, 0x16},                    // missing argument
      {0x23, 0x01, 0x00, 0x00, 0x00},              // defined name
      {0x3A, 0, 0, 0, 0, 0, 0},                    // 3-D reference
      {0x19, 0x04, 0x01, 0x00, 0x00, 0x00},        // CHOOSE jump table
      {0x1C, 0x55},                                // unknown error code
      {0x17, 0x05, 0x00, 'a', 'b'},                // string cut short
      {0x80},
  };
  for (const auto& bytes : refused) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    EXPECT_THROW(Decode(bytes), FormulaError);
  }
  EXPECT_THROW(DecodeBiff8(nullptr, 0, 1, 1), FormulaError);
  // Deep chains of signs are refused before they can make the tree too deep to walk.
  Bytes deep = {0x1E, 0x01, 0x00};
  deep.insert(deep.end(), 5000, 0x13);
  EXPECT_THROW(Decode(deep), FormulaError);
}

TEST(Biff8Tokens, TruncatedFormulasAreRefusedOrReadAsTheirCompleteTokens) {
  FormulaPtr full = ParseFormulaR1C1("DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)&\"abc\"&SUM(R1C1:R2C2,1.5)");
  Bytes bytes = EncodeBiff8(*full, 4, 5);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    // Keep the cut bytes off the heap block, so that a read past the end is caught.
    std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    try {
      EXPECT_NE(*DecodeBiff8(prefix.data(), prefix.size(), 4, 5), *full) << size;
    } catch (const FormulaError&) {
    }
  }
  EXPECT_EQ(*Decode(bytes, 4, 5), *full);
}

}  // namespace
}  // namespace tallowmere::engine
