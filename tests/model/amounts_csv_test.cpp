// The amounts file: round trips, item names and occurrences, and files refused whole.
#include "model/amounts_csv.h"

#include <gtest/gtest.h>

#include "model/amount_store.h"
#include "support/memory_settings_store.h"

namespace tallowmere {
namespace {

class AmountsCsvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MemorySettingsStore store;
    PlainParameterFields fields;
    model.LoadTemplate(false, store, fields);
  }
  std::vector<AmountRule>& RulesOf(int number) { return model.Item(number).Rules; }
  void Import(const std::string& text) {
    const std::vector<std::vector<AmountRule>> rules = ReadAmountsCsv(text, model.Items());
    for (int i = 1; i <= model.Count(); ++i) RulesOf(i) = rules[static_cast<size_t>(i - 1)];
  }

  VectorListView list;
  TemplateModel model{list};
};

const char* const kHeader = "item,occurrence,amount,repeat,first,last,growth\r\n";

TEST_F(AmountsCsvTest, ExportImportExportGivesTheSameBytes) {
  model.RenameItem("Rent, \"main\" office", 20);
  const std::string text = std::string("\xEF\xBB\xBF") + kHeader +
                           "Cash Sales,1,5000,monthly,2027-01-01,,\n"
                           "Purchases (specify),2,12.5,2 weeks,2027-01-04,2027-06-30,2.25\r\n"
                           "\"Rent, \"\"main\"\" office\",1,6000,quarterly,2027-01-31,,-3\r\n"
                           "\n"
                           "_Purchases (specify),1,0.05,once,2026-12-31,2026-12-31,\r\n";
  Import(text);
  EXPECT_EQ(RulesOf(3).size(), 1u);
  EXPECT_EQ(RulesOf(11).size(), 2u);  // "_Purchases (specify)" answers to both names
  EXPECT_EQ(RulesOf(20).front().growth, -300);
  const std::string exported = WriteAmountsCsv(model.Items());
  EXPECT_EQ(exported, std::string(kHeader) +
                          "Cash Sales,1,5000,monthly,2027-01-01,,\r\n"
                          "Purchases (specify),2,12.5,2 weeks,2027-01-04,2027-06-30,2.25\r\n"
                          "Purchases (specify),2,0.05,once,2026-12-31,2026-12-31,\r\n"
                          "\"Rent, \"\"main\"\" office\",1,6000,quarterly,2027-01-31,,-3\r\n");
  Import(exported);
  EXPECT_EQ(WriteAmountsCsv(model.Items()), exported);
}

TEST_F(AmountsCsvTest, RefusesTheWholeFileAtItsFirstBadLine) {
  struct Case {
    std::string lines;  // after the header
    const char* message;
  } cases[] = {
      {"Rents,1,5,once,2027-01-01,,\r\n", "line 2: no item is named \"Rents\"."},
      {"Rent,2,5,once,2027-01-01,,\r\n", "line 2: there is 1 item named \"Rent\", not 2."},
      {"Rent,0,5,once,2027-01-01,,\r\n", "line 2: occurrence \"0\" is no whole number from 1"},
      {"SUBTOTAL,1,5,once,2027-01-01,,\r\n", "line 2: \"SUBTOTAL\" is a heading, a total or the opening cash row"},
      {"CASH RECEIPTS,1,5,once,2027-01-01,,\r\n", "line 2: \"CASH RECEIPTS\" is a heading"},
      {"Cash on Hand (beginning of month),1,5,once,2027-01-01,,\r\n", "line 2: \"Cash on Hand"},
      {"Rent,1,5,once,2027-01-01,,\r\nRent,1,5.001,once,2027-01-01,,\r\n", "line 3: \"5.001\" is not a number"},
      {"Rent,1,5,daily,2027-01-01,,\r\n", "line 2: \"daily\" is no repeat"},
      {"Rent,1,5,once,2027-02-30,,\r\n", "line 2: \"2027-02-30\" is not a date"},
      {"Rent,1,5,weekly,2027-02-03,2027-02-02,\r\n", "line 2: The last date 2027-02-02 lies before"},
      {"Rent,1,5,once,2027-01-01,,,\r\n", "line 2: a rule has 7 fields"},
      {"\"Rent\nx\",1,5,once,2027-01-01,,\r\nRent,1,-5,once,2027-01-01,,\r\n", "line 2: no item is named"},
      {"\"Re\"nt,1,5,once,2027-01-01,,\r\n", "line 2: a quote is misplaced"},
      {"Rent,1,5,once,2027-01-01,,\r\n\"Rent,1\r\n", "line 3: a quoted field has no closing quote."},
  };
  for (const Case& c : cases) {
    try {
      ReadAmountsCsv(kHeader + c.lines, model.Items());
      ADD_FAILURE() << c.lines;
    } catch (const AmountsFileError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
    }
  }
  EXPECT_THROW(ReadAmountsCsv("item,occurrence,amount\r\n", model.Items()), AmountsFileError);
  EXPECT_THROW(ReadAmountsCsv("", model.Items()), AmountsFileError);
}

TEST_F(AmountsCsvTest, RulesFollowTheirItemThroughEditsAndGoWithARestore) {
  Import(std::string(kHeader) + "Rent,1,6000,monthly,2027-01-01,,\r\nTelephone,1,50,monthly,2027-01-01,,\r\n");
  model.RenameItem("Office rent", 20);
  EXPECT_EQ(RulesOf(20).size(), 1u);
  model.InsertItem("New row", 20);
  EXPECT_TRUE(RulesOf(21).empty());
  EXPECT_EQ(RulesOf(22).front().amount, 5000);  // Telephone moved down
  model.DeleteItem(20);
  EXPECT_EQ(model.Item(20).Name, "New row");
  EXPECT_EQ(RulesOf(21).front().amount, 5000);
  testing::MemorySettingsStore store;
  PlainParameterFields fields;
  model.Forecast().openingCash = 100;
  model.LoadTemplate(true, store, fields);
  for (const TemplateItem& item : model.Items()) EXPECT_TRUE(item.Rules.empty()) << item.Name;
  EXPECT_EQ(model.Forecast().openingCash, 100);  // a restore resets the items, not the plan's cash
}

TEST_F(AmountsCsvTest, StoreKeepsNumbersAndAddsNoKeysWithoutThem) {
  testing::MemorySettingsStore store;
  const auto write = [&] {
    WriteStoreSteps(store, model.TemplateStoreSteps());
    WriteStoreSteps(store, AmountStoreSteps(model, store));
  };
  write();
  for (const auto& [key, value] : store.values)
    EXPECT_TRUE(key.rfind("Field", 0) == 0 || key.rfind("System Value", 0) == 0) << key;

  Import(std::string(kHeader) + "Rent,1,6000,monthly,2027-01-31,2027-12-31,1.5\r\nRent,1,1,once,2027-01-01,,\r\n");
  model.Forecast() = {-250, ParseDate("2027-01-04"), 500050};
  write();
  EXPECT_EQ(store.values["Minimum Cash"], "5000.5");
  VectorListView otherList;
  TemplateModel other(otherList);
  PlainParameterFields fields;
  other.LoadTemplate(false, store, fields);
  LoadAmounts(store, other);
  EXPECT_EQ(other.Forecast(), model.Forecast());
  EXPECT_EQ(other.Item(20).Rules, model.Item(20).Rules);

  model.Item(20).Rules.clear();  // removed numbers are cleared, not left behind
  model.Forecast() = {};
  write();
  LoadAmounts(store, other);
  EXPECT_FALSE(other.HasNumbers());
  EXPECT_EQ(other.Forecast(), ForecastSettings{});

  store.Write("Minimum Cash", "-1");  // no reserve below 0
  EXPECT_THROW(LoadAmounts(store, other), std::runtime_error);
  store.Write("Minimum Cash", "");

  store.Write("Amounts3", "5|sometimes|2027-01-01||");
  model.Forecast().openingCash = 1;
  EXPECT_THROW(LoadAmounts(store, model), std::runtime_error);
  EXPECT_EQ(model.Forecast().openingCash, 1);  // nothing taken from a damaged store
}

}  // namespace
}  // namespace tallowmere
