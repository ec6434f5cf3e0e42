// How field and stored texts become numbers and flags.
#include "model/text_values.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tallowmere {
namespace {

TEST(TextValuesTest, NumericValueReadsTheLeadingNumber) {
  EXPECT_EQ(NumericValue("2024"), 2024);
  EXPECT_EQ(NumericValue("  \t-5x"), -5);
  EXPECT_EQ(NumericValue("2024.4"), 2024.4);
  EXPECT_EQ(NumericValue(".5"), 0.5);
  EXPECT_EQ(NumericValue("1e3"), 1000);
  EXPECT_EQ(NumericValue("1e"), 1);
  EXPECT_EQ(NumericValue(""), 0);
  EXPECT_EQ(NumericValue("abc"), 0);
  EXPECT_EQ(NumericValue("-"), 0);
  EXPECT_EQ(NumericValue("x12"), 0);
  EXPECT_GT(NumericValue("1e999"), 1e300);  // never NaN
}

TEST(TextValuesTest, WholeNumbersRoundHalvesToEvenAndRefuseOverflow) {
  EXPECT_EQ(WholeNumber(6.5), 6);
  EXPECT_EQ(WholeNumber(7.5), 8);
  EXPECT_EQ(WholeNumber(-2.5), -2);
  EXPECT_EQ(WholeNumberOf(" 2147483647"), 2147483647);
  EXPECT_EQ(WholeNumberOf("-2147483648"), -2147483647 - 1);
  try {
    WholeNumberOf("2147483648");
    FAIL();
  } catch (const std::overflow_error& e) {
    EXPECT_STREQ(e.what(), "Overflow");
  }
  EXPECT_THROW(WholeNumberOf("1e999"), std::overflow_error);
}

TEST(TextValuesTest, BooleanTexts) {
  for (const char* yes : {"True", "TRUE", "true", " true ", "1", "-1", "2.5"}) EXPECT_TRUE(ParseBoolean(yes)) << yes;
  for (const char* no : {"False", "fAlSe", "0", "0.0", "-0"}) EXPECT_FALSE(ParseBoolean(no)) << no;
  for (const char* bad : {"", "yes", "T", "1x", "nan", "+-"})
    EXPECT_THROW(ParseBoolean(bad), std::invalid_argument) << bad;
  EXPECT_EQ(BooleanText(true), "True");
  EXPECT_EQ(BooleanText(false), "False");
  EXPECT_EQ(CurrentYearText().size(), 4u);
}

}  // namespace
}  // namespace tallowmere
