// Display of values through number formats.

#include "engine/core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>

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

struct Shown {
  double number;
  const char* format;
  const char* text;
};
void PrintTo(const Shown& c, std::ostream* out) { *out << c.number << " as " << c.format; }

class Codes : public ::testing::TestWithParam<Shown> {};

TEST_P(Codes, ShowTheNumberAsASpreadsheetDoes) {
  EXPECT_EQ(Show(GetParam().number, GetParam().format), GetParam().text);
}

// Commas that end the number divide it by a thousand each, after the point too.
INSTANTIATE_TEST_SUITE_P(Scaling, Codes,
                         ::testing::Values(Shown{1234567, "0.0,,", "1.2"}, Shown{1234567, "#,##0.0,,", "1.2"},
                                           Shown{1234567, "#,##0,,\" M\"", "1 M"},
                                           Shown{-2500, "#,##0,;(#,##0,)", "(3)"}, Shown{1234567, "#,##0,", "1,235"},
                                           Shown{999499, "#,##0,", "999"}, Shown{1234, "0,000", "1,234"},
                                           Shown{1234, "#,##0.0", "1,234.0"}));

// A missing digit shows as 0 for '0', as a space for '?' and not at all for '#'.
INSTANTIATE_TEST_SUITE_P(Placeholders, Codes,
                         ::testing::Values(Shown{5, "???", "  5"}, Shown{1234, "???", "1234"},
                                           Shown{1.5, "0.0?", "1.5 "}, Shown{1.25, "0.0?", "1.25"},
                                           Shown{0, "0.??", "0.  "}, Shown{7, "00.##", "07."},
                                           Shown{0.5, "#.00", ".50"}, Shown{12345, "?,???", "12,345"},
                                           Shown{-5, "??0", "-  5"}));

// Positive; negative without its own minus; zero. Empty sections show nothing.
INSTANTIATE_TEST_SUITE_P(Sections, Codes,
                         ::testing::Values(Shown{0, "#,##0.00;(#,##0.00);\"-\"", "-"},
                                           Shown{-1234.5, "#,##0.00;(#,##0.00);\"-\"", "(1,234.50)"},
                                           Shown{-0.004, "0.00;(0.00)", "(0.00)"}, Shown{-5, "0;;0", ""},
                                           Shown{0, "0;-0;;@", ""}, Shown{-1234, "#,##0_);[Red](#,##0)", "(1,234)"},
                                           Shown{0.25, "0%;-0%", "25%"}, Shown{-0.25, "0%;-0%", "-25%"},
                                           Shown{1.5, "0.0\"%\"", "1.5%"}, Shown{12, "\"Q\"0", "Q12"}));

INSTANTIATE_TEST_SUITE_P(Exponents, Codes,
                         ::testing::Values(Shown{0, "0.00E+00", "0.00E+00"}, Shown{0.1, "0.0E-00", "1.0E-01"},
                                           Shown{100, "0.0E+00", "1.0E+02"}, Shown{-12345, "0.00E+00", "-1.23E+04"},
                                           Shown{9.995e-10, "0.00E+00", "1.00E-09"}, Shown{123, "0E+0", "1E+2"}));

// The 1900 date system: its day 60 is the 29th of February 1900, which never was.
INSTANTIATE_TEST_SUITE_P(Dates, Codes,
                         ::testing::Values(Shown{41275.5, "yyyy-mm-dd hh:mm", "2013-01-01 12:00"},
                                           Shown{41275, "ddd", "Tue"}, Shown{41275, "mmmmm", "J"},
                                           Shown{DateSerial(2024, 2, 29), "m/d/yyyy", "2/29/2024"},
                                           Shown{61, "m/d/yyyy", "3/1/1900"}, Shown{59, "mmm d", "Feb 28"},
                                           Shown{2958465, "m/d/yyyy", "12/31/9999"},
                                           Shown{2958466, "m/d/yyyy", "########"},
                                           Shown{DateSerial(2027, 12, 31), "mmm-yy", "Dec-27"},
                                           Shown{DateSerial(2000, 1, 1), "dddd d mmmm yy", "Saturday 1 January 00"}));

INSTANTIATE_TEST_SUITE_P(Times, Codes,
                         ::testing::Values(Shown{0, "h AM/PM", "12 AM"}, Shown{0.5, "h AM/PM", "12 PM"},
                                           Shown{41275.25, "h AM/PM", "6 AM"}, Shown{41275.75, "h:mm a/p", "6:00 p"},
                                           Shown{0.25 + 5.0 / 1440, "hh:mm", "06:05"},
                                           Shown{1.0 / 86400, "h:mm:ss", "0:00:01"}, Shown{1.5, "[h]:mm", "36:00"},
                                           Shown{0.5, "[mm]:ss", "720:00"},
                                           Shown{2 + 3.0 / 24 + 4.0 / 1440, "[h]:mm:ss", "51:04:00"},
                                           Shown{1.0 / 1440, "[ss]", "60"}, Shown{0.25, "[H]", "6"}));

// General fits 11 characters besides the sign, for numbers of every size.
TEST(NumberFormat, GeneralFitsElevenCharactersAtEveryMagnitude) {
  for (int exponent = -320; exponent <= 308; ++exponent) {
    for (double mantissa : {1.0, 1.23456789012345, 9.99999999999}) {
      for (double sign : {1.0, -1.0}) {
        const double number = sign * mantissa * std::pow(10.0, exponent);
        if (number == 0 || !std::isfinite(number)) continue;
        const std::string shown = FormatGeneral(number);
        EXPECT_LE(shown.size() - (sign < 0 ? 1 : 0), 11u) << number << " shows " << shown;
        EXPECT_NEAR(std::strtod(shown.c_str(), nullptr) / number, 1.0, 1e-4) << number << " shows " << shown;
      }
    }
  }
}

TEST(NumberFormat, IsDateFormat) {
  for (const char* format : {"mmm-yy", "m/d/yyyy", "d-mmm-yy", "yyyy", "h:mm", "[Blue]dd", "[h]:mm"})
    EXPECT_TRUE(IsDateFormat(format)) << format;
  for (const char* format : {"General", "#,##0", "0.00E+00", "\"day\" 0", "[Red]0", "0;\\d"})
    EXPECT_FALSE(IsDateFormat(format)) << format;
}

}  // namespace
}  // namespace tallowmere::engine
