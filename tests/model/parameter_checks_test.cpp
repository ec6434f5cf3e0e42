// The field checks and the start check of the report parameters.
#include "model/parameter_checks.h"

#include <gtest/gtest.h>

namespace tallowmere {
namespace {

const char* const kYearMessage = "Year can't be less then 1970.\r\nPlease change year to necessary value.";
const char* const kFew = "Week number can't be less then 1.\r\nPlease change week's number to necessary value.";
const char* const kMany = "Week number can't be greater then 100.\r\nPlease change week's number to necessary value.";

struct Case {
  const char* input;
  const char* text;
  const char* message;  // "" when accepted
};

TEST(CheckYearTest, CorrectsOrRejects) {
  const Case cases[] = {
      {"24", "2024", ""},
      {"", "2000", ""},
      {"-5", "1995", ""},
      {"2024.4", "2024", ""},
      {" 2030xyz", "2030", ""},
      {"1970", "1970", ""},
      {"1969", "2031", kYearMessage},
      {"100", "2031", kYearMessage},
      {"abc", "2000", ""},
      {"99.6", "2031", kYearMessage},  // rounds to 100, which is no two-digit year
      {"2147483647", "2147483647", ""},
      {"2147483648", "2031", kYearMessage},
      {"1e300", "2031", kYearMessage},
      {"1e999", "2031", kYearMessage},
      {"-99999999999", "2031", kYearMessage},
  };
  for (const Case& c : cases) {
    const FieldCheck check = CheckYear(c.input, 2031);
    EXPECT_EQ(check.text, c.text) << c.input;
    EXPECT_EQ(check.message, c.message) << c.input;
    EXPECT_EQ(check.rejected, *c.message != '\0') << c.input;
  }
}

TEST(CheckWeekCountTest, ClampsToOneThroughHundred) {
  const Case cases[] = {
      {"0", "1", kFew},        {"-3", "1", kFew},           {"letters", "1", kFew},
      {"-0.4", "1", kFew},     {"150", "100", kMany},       {"7.5", "8", ""},
      {"6.5", "6", ""},        {"100", "100", ""},          {"100.5", "100", ""},
      {"1", "1", ""},          {"0.5", "1", kFew},          {"99999999999", "100", kMany},
      {"1e999", "100", kMany}, {"-99999999999", "1", kFew},
  };
  for (const Case& c : cases) {
    const FieldCheck check = CheckWeekCount(c.input);
    EXPECT_EQ(check.text, c.text) << c.input;
    EXPECT_EQ(check.message, c.message) << c.input;
    EXPECT_EQ(check.rejected, *c.message != '\0') << c.input;
  }
}

TEST(CheckYearRangeTest, YearAndMonthSpans) {
  RangeCheck check = CheckYearRange("2020", "2019", PeriodMode::Year);
  EXPECT_TRUE(check.rejected);
  EXPECT_EQ(check.lastText, "2020");
  EXPECT_EQ(check.message, "Start year can't be greater then end year.\r\nPlease change year to necessary value.");

  check = CheckYearRange("2000", "2101", PeriodMode::Year);
  EXPECT_TRUE(check.rejected);
  EXPECT_EQ(check.lastText, "2000");
  EXPECT_EQ(check.message,
            "Start year can't be greater then end year by more then 100 years in Year mode.\r\n"
            "Please change year to necessary value.");

  check = CheckYearRange("2000", "2100", PeriodMode::Year);
  EXPECT_FALSE(check.rejected);
  EXPECT_EQ(check.lastText, "2100");
  EXPECT_EQ(check.message, "");

  check = CheckYearRange("2020", "2031", PeriodMode::Month);
  EXPECT_TRUE(check.rejected);
  EXPECT_EQ(check.lastText, "2020");
  EXPECT_EQ(check.message,
            "Start year can't be greater then end year by more then 10 years in Month mode.\r\n"
            "Please change year to necessary value.");
  EXPECT_FALSE(CheckYearRange("2020", "2030.4", PeriodMode::Month).rejected);
  EXPECT_EQ(CheckYearRange("2020", "2030.4", PeriodMode::Month).lastText, "2030");
}

TEST(CheckYearRangeTest, WeekModeOnlyRewritesAndHugeNumbersStayPlain) {
  RangeCheck check = CheckYearRange("2020", "", PeriodMode::Week);
  EXPECT_FALSE(check.rejected);
  EXPECT_EQ(check.lastText, "0");
  EXPECT_EQ(CheckYearRange("", "1e999", PeriodMode::Week).lastText, "2147483647");
  EXPECT_EQ(CheckYearRange("", "-0.2", PeriodMode::Week).lastText, "0");

  check = CheckYearRange("1e30", "2000", PeriodMode::Year);
  EXPECT_TRUE(check.rejected);
  EXPECT_EQ(check.lastText, "2147483647");
}

}  // namespace
}  // namespace tallowmere
