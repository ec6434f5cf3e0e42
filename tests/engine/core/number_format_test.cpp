// Display of values through number formats.

#include "engine/core/number_format.h"

#include <gtest/gtest.h>

namespace tallowmere::engine {
namespace {

std::string Show(double number, const std::string& format) { return FormatForDisplay(Value::Number(number), format); }

TEST(NumberFormat, GeneralShowsAtMostElevenCharacters) {
  EXPECT_EQ(Show(0, "General"), "0");
  EXPECT_EQ(Show(1234567, "General"), "1234567");
  EXPECT_EQ(Show(-1.5, "General"), "-1.5");
  EXPECT_EQ(Show(0.1 + 0.2, "General"), "0.3");
  EXPECT_EQ(Show(1.0 / 3, "General"), "0.333333333");
  EXPECT_EQ(Show(2.0 / 3, ""), "0.666666667");
  EXPECT_EQ(Show(1234567.891234, "General"), "1234567.891");
  EXPECT_EQ(Show(12345678901.5, "General"), "12345678902");
  EXPECT_EQ(Show(99999999999.5, "General"), "1E+11");
  EXPECT_EQ(Show(123456789012, "General"), "1.23457E+11");
  EXPECT_EQ(Show(0.0001, "General"), "0.0001");
  EXPECT_EQ(Show(0.00001, "General"), "1E-05");
  EXPECT_EQ(Show(-1.2345678e-20, "general"), "-1.23457E-20");
  EXPECT_EQ(Show(1e100, "General"), "1E+100");
  EXPECT_EQ(Show(41275, "General"), "41275");
}

TEST(NumberFormat, NumberCodesRoundHalfAwayFromZero) {
  EXPECT_EQ(Show(1234567.5, "#,##0"), "1,234,568");
  EXPECT_EQ(Show(-1234.5, "#,##0"), "-1,235");
  EXPECT_EQ(Show(999.5, "#,##0"), "1,000");
  EXPECT_EQ(Show(2.5, "0"), "3");
  EXPECT_EQ(Show(0, "#,##0"), "0");
  EXPECT_EQ(Show(-0.4, "#,##0"), "-0");  // the sign of a rounded-away negative stays, as spreadsheets show it
  EXPECT_EQ(Show(1.005, "0.00"), "1.01");
  EXPECT_EQ(Show(-2.345, "0.00"), "-2.35");
  EXPECT_EQ(Show(1234.5, "#,##0.00"), "1,234.50");
  EXPECT_EQ(Show(0.5, "#.##"), ".5");
  EXPECT_EQ(Show(3.1, "0.0#"), "3.1");
  EXPECT_EQ(Show(7, "000"), "007");
  EXPECT_EQ(Show(0.125, "0%"), "13%");
  EXPECT_EQ(Show(1234567, "#,##0,"), "1,235");
  EXPECT_EQ(Show(12345, "0.00E+00"), "1.23E+04");
  EXPECT_EQ(Show(0.000123, "0.0E+0"), "1.2E-4");
  EXPECT_EQ(Show(9.996, "0.00E+00"), "1.00E+01");
  EXPECT_EQ(Show(1e300, "#,##0").size(), 401u);
}

TEST(NumberFormat, SectionsAndLiterals) {
  EXPECT_EQ(Show(-5, "#,##0;(#,##0)"), "(5)");
  EXPECT_EQ(Show(5, "#,##0;(#,##0)"), "5");
  EXPECT_EQ(Show(0, "0;-0;\"zero\""), "zero");
  EXPECT_EQ(Show(1234, "$#,##0"), "$1,234");
  EXPECT_EQ(Show(-1234, "$#,##0"), "-$1,234");
  EXPECT_EQ(Show(3, "[Red]0\" units\""), "3 units");
  EXPECT_EQ(Show(3, "0_);\\(0\\)"), "3 ");
  EXPECT_EQ(Show(-3, "0_);\\(0\\)"), "(3)");
  EXPECT_EQ(Show(2, "General;General"), "2");
}

TEST(NumberFormat, DatesAndTimes) {
  EXPECT_EQ(Show(41275, "mmm-yy"), "Jan-13");
  EXPECT_EQ(Show(DateSerial(2013, 12, 1), "mmm-yy"), "Dec-13");
  EXPECT_EQ(Show(41275, "m/d/yyyy"), "1/1/2013");
  EXPECT_EQ(Show(41275, "mmm"), "Jan");
  EXPECT_EQ(Show(41275, "mmmm"), "January");
  EXPECT_EQ(Show(41275, "yyyy"), "2013");
  EXPECT_EQ(Show(41275, "d-mmm-yy"), "1-Jan-13");
  EXPECT_EQ(Show(41275, "dddd, mm/dd/yy"), "Tuesday, 01/01/13");
  EXPECT_EQ(Show(60, "m/d/yyyy"), "2/29/1900");
  EXPECT_EQ(Show(0, "m/d/yyyy"), "1/0/1900");
  EXPECT_EQ(Show(0.75, "h:mm AM/PM"), "6:00 PM");
  EXPECT_EQ(Show(0.5 + 61.0 / 86400, "h:mm:ss"), "12:01:01");
  EXPECT_EQ(Show(41275.9999999, "m/d/yyyy h:mm"), "1/2/2013 0:00");  // rounds to the second
  EXPECT_EQ(Show(-1, "m/d/yyyy"), "########");
  EXPECT_EQ(Show(3e6, "mmm-yy"), "########");
}

TEST(NumberFormat, OtherValueTypesAndOddFormats) {
  EXPECT_EQ(FormatForDisplay(Value::String("Week 1"), "#,##0"), "Week 1");
  EXPECT_EQ(FormatForDisplay(Value::Boolean(true), "0.00"), "TRUE");
  EXPECT_EQ(FormatForDisplay(Value::Error(ErrorCode::Div0), "mmm-yy"), "#DIV/0!");
  EXPECT_EQ(FormatForDisplay(Value{}, "0.00"), "");
  EXPECT_EQ(Show(1.5, "@"), "1.5");  // a number in a text-formatted cell shows as General
  for (const char* format : {"\"", "[", "\\", "_", "*", "0.0.0", "E+", ";;;;;;", "#,##0,,,,,,,,,,,,,,,,,,,", "@",
                             "AM/PM", "0000000000000000000000000000000000000000.0000000000000000000000000000000000000",
                             "0%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%"
                             "%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%"}) {
    for (double number : {0.0, -1.5, 123456.789, 1e300, -1e-300}) EXPECT_NO_THROW(Show(number, format)) << format;
  }
}

TEST(NumberFormat, IsDateFormat) {
  for (const char* format : {"mmm-yy", "m/d/yyyy", "d-mmm-yy", "yyyy", "h:mm", "[Blue]dd"})
    EXPECT_TRUE(IsDateFormat(format)) << format;
  for (const char* format : {"General", "#,##0", "0.00E+00", "\"day\" 0", "[Red]0", "0;\\d"})
    EXPECT_FALSE(IsDateFormat(format)) << format;
}

}  // namespace
}  // namespace tallowmere::engine
