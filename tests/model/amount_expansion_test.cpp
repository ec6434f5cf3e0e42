// Amount rules spread over years, months and weeks.
#include "model/amount_expansion.h"

#include <gtest/gtest.h>

namespace tallowmere {
namespace {

AmountRule Rule(const char* amount, Repeat repeat, const char* first, const char* last = "", const char* growth = "") {
  AmountRule rule{ParseAmount(amount), repeat, ParseDate(first), std::nullopt, std::nullopt};
  if (*last) rule.last = ParseDate(last);
  if (*growth) rule.growth = ParseGrowth(growth);
  return rule;
}

ReportParameters Months(const char* first, const char* last) {
  ReportParameters p;
  p.mode = PeriodMode::Month;
  p.monthFirstYear = first;
  p.monthLastYear = last;
  return p;
}

ReportParameters Years(const char* first, const char* last) {
  ReportParameters p;
  p.mode = PeriodMode::Year;
  p.firstYear = first;
  p.lastYear = last;
  return p;
}

ReportParameters Weeks(const char* count) {
  ReportParameters p;
  p.mode = PeriodMode::Week;
  p.weeks = count;
  return p;
}

const Date kWeek1 = ParseDate("2027-01-04");

// Column [0] holds what falls before the first period; the rest period by period, in cents.
std::vector<Cents> Expand(const AmountRule& rule, const ReportParameters& parameters) {
  return ExpandRules({rule}, GridOf(parameters, kWeek1));
}

struct Case {
  const char* what;
  AmountRule rule;
  ReportParameters parameters;
  std::vector<std::pair<int, Cents>> nonZero;  // column, cents; every other column holds 0
};

TEST(ExpandRulesTest, PlacesOccurrencesInTheirPeriods) {
  const Case cases[] = {
      {"weekly from a Monday, by month",
       Rule("100", Repeat::Weekly, "2027-01-04"),
       Months("2027", "2027"),
       {{1, 40000},
        {2, 40000},
        {3, 50000},
        {4, 40000},
        {5, 50000},
        {6, 40000},
        {7, 40000},
        {8, 50000},
        {9, 40000},
        {10, 40000},
        {11, 50000},
        {12, 40000}}},
      {"monthly with growth, by year",
       Rule("1000", Repeat::Monthly, "2027-01-01", "", "10"),
       Years("2027", "2028"),
       {{1, 1200000}, {2, 1320000}}},
      {"monthly into weeks", Rule("7", Repeat::Monthly, "2027-01-15"), Weeks("8"), {{2, 700}, {7, 700}}},
      {"the 31st falls on shorter months' last days",
       Rule("1", Repeat::Monthly, "2027-01-31", "2027-04-30"),
       Months("2027", "2027"),
       {{1, 100}, {2, 100}, {3, 100}, {4, 100}}},
      {"before the first period: pre-startup",
       Rule("5", Repeat::Monthly, "2026-10-15"),
       Years("2027", "2027"),
       {{0, 1500}, {1, 6000}}},
      {"after the last period: left out", Rule("5", Repeat::Once, "2028-01-01"), Months("2027", "2027"), {}},
      {"the last date counts",
       Rule("5", Repeat::Quarterly, "2027-02-28", "2027-08-28"),
       Months("2027", "2027"),
       {{2, 500}, {5, 500}, {8, 500}}},
      {"every 2 weeks across a year's end",
       Rule("3", Repeat::TwoWeeks, "2026-12-21"),
       Weeks("3"),
       {{0, 300}, {1, 300}, {3, 300}}},
      {"every 4 weeks", Rule("3", Repeat::FourWeeks, "2027-01-05"), Weeks("9"), {{1, 300}, {5, 300}, {9, 300}}},
      {"yearly from a leap day", Rule("2", Repeat::Yearly, "2028-02-29"), Months("2029", "2029"), {{0, 200}, {2, 200}}},
  };
  for (const Case& c : cases) {
    const std::vector<Cents> columns = Expand(c.rule, c.parameters);
    std::vector<Cents> expected(columns.size(), 0);
    for (const auto& [column, cents] : c.nonZero) expected.at(static_cast<size_t>(column)) = cents;
    EXPECT_EQ(columns, expected) << c.what;
  }
}

TEST(ExpandRulesTest, SheetHasAColumnPerPeriodAndPreStartup) {
  EXPECT_EQ(Expand(Rule("1", Repeat::Once, "2027-01-01"), Months("2027", "2028")).size(), 25u);
  EXPECT_EQ(Expand(Rule("1", Repeat::Once, "2027-01-01"), Years("2027", "2031")).size(), 6u);
  EXPECT_EQ(Expand(Rule("1", Repeat::Once, "2027-01-01"), Weeks("100")).size(), 101u);
  // Years beyond the last date a rule can name hold nothing, and the loop ends.
  const std::vector<Cents> far = Expand(Rule("1", Repeat::Yearly, "9998-01-01"), Years("20000", "20001"));
  EXPECT_EQ(far, (std::vector<Cents>{200, 0, 0}));
  const std::vector<Cents> steep = Expand(Rule("1", Repeat::Weekly, "1900-01-01", "", "1000"), Years("9999", "9999"));
  EXPECT_EQ(steep.front(), std::numeric_limits<Cents>::max());
}

TEST(GrownAmountTest, GrowsAtEachAnniversaryOfTheFirstDate) {
  struct GrowthCase {
    const char* first;
    const char* growth;
    const char* date;
    Cents cents;
  } cases[] = {
      {"2027-03-15", "10", "2028-03-14", 100000},
      {"2027-03-15", "10", "2028-03-15", 110000},
      {"2027-03-15", "10", "2029-03-15", 121000},
      {"2028-02-29", "10", "2029-02-28", 110000},
      {"2028-02-29", "10", "2029-02-27", 100000},
      {"2027-01-01", "-50", "2029-06-01", 25000},
      {"2027-01-01", "2.5", "2028-01-01", 102500},
      {"1900-01-01", "1000", "9999-01-01", 100'000'000'000'000'000},  // capped, not overflowing
  };
  for (const GrowthCase& c : cases) {
    const AmountRule rule = Rule("1000", Repeat::Monthly, c.first, "", c.growth);
    EXPECT_EQ(GrownAmount(rule, ParseDate(c.date)), c.cents) << c.first << " " << c.date;
  }
}

TEST(AmountTextsTest, ReadsAndRefuses) {
  EXPECT_EQ(ParseMoney("1250.5"), 125050);
  EXPECT_EQ(ParseMoney(" -0.05 "), -5);
  EXPECT_EQ(MoneyText(125050), "1250.5");
  EXPECT_EQ(MoneyText(-5), "-0.05");
  EXPECT_EQ(MoneyText(100), "1");
  for (const char* bad : {"", "1,5", "1.234", "1.", ".5", "+1", "1e3", "12 3", "abc", "1000000000000"})
    EXPECT_THROW(ParseMoney(bad), std::invalid_argument) << bad;
  for (const char* bad : {"0", "-1", "0.00"}) EXPECT_THROW(ParseAmount(bad), std::invalid_argument) << bad;
  for (const char* bad : {"2027-02-29", "2027-1-05", "1899-12-31", "2027/01/05", "2027-13-01", "x"})
    EXPECT_THROW(ParseDate(bad), std::invalid_argument) << bad;
  for (const char* bad : {"-100", "1000.01", "5%"}) EXPECT_THROW(ParseGrowth(bad), std::invalid_argument) << bad;
  EXPECT_THROW(ParseRepeat("fortnightly"), std::invalid_argument);
  for (const std::string& word : RepeatTexts()) EXPECT_EQ(RepeatText(ParseRepeat(word)), word);
  EXPECT_THROW(CheckRule(Rule("1", Repeat::Weekly, "2027-05-02", "2027-05-01")), std::invalid_argument);
  EXPECT_NO_THROW(CheckRule(Rule("1", Repeat::Weekly, "2027-05-02", "2027-05-02")));
}

TEST(MondayAfterTest, IsTheNextMonday) {
  EXPECT_EQ(DateText(MondayAfter(ParseDate("2026-12-08"))), "2026-12-14");  // a Tuesday
  EXPECT_EQ(DateText(MondayAfter(ParseDate("2026-12-14"))), "2026-12-21");  // a Monday
  EXPECT_EQ(DateText(MondayAfter(ParseDate("2026-12-27"))), "2026-12-28");  // a Sunday
}

}  // namespace
}  // namespace tallowmere
