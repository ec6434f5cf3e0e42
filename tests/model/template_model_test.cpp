// The item table: vocabulary, match forms, reference lists and the item edits.
#include "model/template_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/memory_settings_store.h"

namespace tallowmere {
namespace {

class TemplateModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MemorySettingsStore store;
    PlainParameterFields fields;
    model.LoadTemplate(false, store, fields);
  }
  std::string RefsOf(std::string_view name) { return model.Item(model.FindItem(name)).Refs; }
  void SetNames(const std::vector<std::string>& names) {
    model.Items().assign(names.size(), TemplateItem{});
    for (size_t i = 0; i < names.size(); ++i) model.Items()[i].Name = names[i];
  }

  VectorListView list;
  TemplateModel model{list};
};

TEST(VocabularyTest, MatchFormsAndReservedNames) {
  EXPECT_EQ(MatchForm("A&B&C"), "AB&C");
  EXPECT_EQ(MatchForm("Repairs & maintenance"), "Repairs  maintenance");
  EXPECT_EQ(MatchForm("&"), "");

  EXPECT_TRUE(IsReservedItem("Cash Position (end of month)"));
  EXPECT_TRUE(IsReservedItem("&Cash Sales"));  // same match form
  EXPECT_FALSE(IsReservedItem("CASH RECEIPTS"));
  EXPECT_FALSE(IsReservedItem("Cash on Hand (beginning of month) "));
  EXPECT_FALSE(IsReservedItem("cash sales"));
  EXPECT_FALSE(IsReservedItem(""));

  // Kind and heading go by the exact name: an "&" makes an ordinary item.
  EXPECT_EQ(ItemKind("Cash on Hand (beginning of month)"), "OTHER");
  EXPECT_EQ(ItemKind("SUBTOTAL"), "SUM");
  EXPECT_EQ(ItemKind("Cash Position (end of month)"), "DIF");
  EXPECT_EQ(ItemKind("SUB&TOTAL"), "");
  EXPECT_EQ(ItemKind(""), "");
  EXPECT_TRUE(IsHeaderItem("ESSENTIAL OPERATING DATA (non cash flow information)"));
  EXPECT_FALSE(IsHeaderItem("CASH PAID OUT "));
}

TEST_F(TemplateModelTest, DefaultTableAndItsLists) {
  ASSERT_EQ(model.Count(), 44);
  EXPECT_EQ(list.Entries(), DefaultItemNames());
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_EQ(model.Item(11).Name, "_Purchases (specify)");
  EXPECT_EQ(model.Item(44).Name, "Depreciation");

  EXPECT_EQ(model.Item(1).Refs, "37");
  EXPECT_EQ(model.Item(6).Refs, "3,4,5");
  EXPECT_EQ(model.Item(7).Refs, "1,2,3,4,5,6");
  EXPECT_EQ(model.Item(30).Refs, "9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29");
  EXPECT_EQ(model.Item(36).Refs, "30,31,32,33,34,35");
  EXPECT_EQ(model.Item(37).Refs, "7,36");
  int withRefs = 0, headers = 0;
  for (const TemplateItem& item : model.Items()) {
    EXPECT_TRUE(item.Included);
    withRefs += !item.Refs.empty();
    headers += item.IsHeader;
  }
  EXPECT_EQ(withRefs, 6);
  EXPECT_EQ(headers, 3);
  EXPECT_EQ(model.Item(8).Kind, "");
  EXPECT_TRUE(model.Item(8).IsHeader);
}

TEST_F(TemplateModelTest, FindItemComparesMatchFormsAndTakesTheLast) {
  EXPECT_EQ(model.FindItem("Repairs & maintenance"), 16);
  EXPECT_EQ(model.FindItem("Repairs  maintenance"), 16);
  EXPECT_EQ(model.FindItem("repairs & maintenance"), 0);
  EXPECT_EQ(model.FindItem("Rent "), 0);
  model.Item(40).Name = "&Rent";
  EXPECT_EQ(model.FindItem("Rent"), 40);
  EXPECT_EQ(model.FindItem("Re&nt"), 40);
}

TEST_F(TemplateModelTest, InsertsAndDeletesMoveItemsInAndOutOfRanges) {
  model.InsertItem("New", 5);  // below "Loan or other cash injection"
  EXPECT_EQ(list.Selected(), 5);
  EXPECT_EQ(model.Item(6).Name, "New");
  EXPECT_TRUE(model.Item(6).Included);
  EXPECT_EQ(model.Item(7).Refs, "3,4,5,6");
  EXPECT_EQ(model.Item(38).Refs, "8,37");
  EXPECT_EQ(model.Item(1).Refs, "38");
  EXPECT_EQ(list.Entries()[5], "New");
  EXPECT_EQ(list.Count(), 45);

  model.DeleteItem(6);
  model.InsertItem("Above sales", 2);  // below the heading, above "Cash Sales"
  EXPECT_EQ(model.Item(7).Refs, "4,5,6");
  EXPECT_EQ(model.Item(8).Refs, "1,2,3,4,5,6,7");

  model.DeleteItem(3);
  model.InsertItem("Below receipts total", 6);  // inside the cash-available range
  EXPECT_EQ(model.Item(8).Name, "Total Cash Available (before cash out)");
  EXPECT_EQ(model.Item(8).Refs, "1,2,3,4,5,6,7");

  model.DeleteItem(7);
  model.InsertItem("After paid out", 36);  // outside every range
  EXPECT_EQ(model.Item(38).Refs, "7,36");

  model.DeleteItem(37);
  model.DeleteItem(4);  // "Collections from CR accounts"
  EXPECT_EQ(list.Selected(), 3);
  EXPECT_EQ(list.Entries()[3], "Loan or other cash injection");
  EXPECT_EQ(model.Item(5).Name, "TOTAL CASH RECEIPTS");
  EXPECT_EQ(model.Item(5).Refs, "3,4");
}

TEST_F(TemplateModelTest, InsertBelowLastAppendsWithoutRefresh) {
  model.Item(2).Kind = "stale";  // a refresh would clear this
  model.InsertItem("CASH PAID OUT", 44);
  EXPECT_EQ(model.Count(), 45);
  EXPECT_EQ(list.Count(), 45);
  EXPECT_EQ(list.Selected(), 44);
  EXPECT_TRUE(model.Item(45).Included);
  EXPECT_FALSE(model.Item(45).IsHeader);  // becomes a heading at the next refresh
  EXPECT_EQ(model.Item(45).Kind, "");
  EXPECT_EQ(model.Item(2).Kind, "stale");
  model.RefreshItemList();
  EXPECT_TRUE(model.Item(45).IsHeader);
}

TEST_F(TemplateModelTest, InsertWithNothingSelectedGoesOnTop) {
  model.InsertItem("Top", 0);
  EXPECT_EQ(model.Item(1).Name, "Top");
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_EQ(model.Item(2).Refs, "38");
}

TEST_F(TemplateModelTest, DeleteSelectsThePlaceOrTheNewLast) {
  model.DeleteItem(44);
  EXPECT_EQ(list.Selected(), 42);
  EXPECT_EQ(list.Entries()[42], "Accounts Payable (end of month)");
  model.DeleteItem(1 + 42);  // the last again
  EXPECT_EQ(list.Selected(), 41);
  model.DeleteItem(2);
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(list.Entries()[1], "Cash Sales");
}

TEST_F(TemplateModelTest, RenameFollowsTheNewNameAndKeepsTheName) {
  model.RenameItem("Outgoings", 8);  // heading "CASH PAID OUT"
  EXPECT_FALSE(model.Item(8).IsHeader);
  EXPECT_EQ(list.Selected(), 7);
  model.RenameItem("  padded & name ", 10);
  EXPECT_EQ(model.Item(10).Name, "  padded & name ");
  EXPECT_EQ(list.Entries()[9], "  padded & name ");
  EXPECT_EQ(model.Item(30).Refs.substr(0, 8), "9,10,11,");  // ranges are positional
  model.InsertItem("CASH PAID OUT", 20);
  EXPECT_TRUE(model.Item(21).IsHeader);
}

TEST_F(TemplateModelTest, BadItemNumbersAreSubscriptErrors) {
  for (int r : {0, 45, -1}) {
    EXPECT_THROW(model.DeleteItem(r), std::out_of_range);
    EXPECT_THROW(model.RenameItem("x", r), std::out_of_range);
  }
  try {
    model.Item(99);
    FAIL();
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "Subscript out of range");
  }
  EXPECT_EQ(model.Count(), 44);
}

TEST_F(TemplateModelTest, MissingRuleNamesFailTheRefreshPartWay) {
  SetNames({"A", "TOTAL CASH RECEIPTS", "B"});
  try {
    model.RefreshItemList();
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "The template has no item named \"Cash Sales\".");
  }
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"A"}));

  SetNames({"Cash on Hand (beginning of month)"});
  EXPECT_THROW(model.RefreshItemList(), std::runtime_error);
  EXPECT_EQ(list.Count(), 0);
  // A range whose first item lies below the total is empty, not a failure.
  SetNames({"SUBTOTAL", "Purchases (merchandise)"});
  model.RefreshItemList();
  EXPECT_EQ(model.Item(1).Refs, "");
}

TEST_F(TemplateModelTest, SharedMatchFormsContributeEveryBearer) {
  SetNames({"Cash Sales", "X", "&X", "TOTAL CASH RECEIPTS", "X"});
  model.RefreshItemList();
  // Each range item contributes every item with its match form, in item order.
  EXPECT_EQ(model.Item(4).Refs, "1,2,3,5,2,3,5");
  EXPECT_EQ(model.BuildItemRefs("Rent"), "");
}

}  // namespace
}  // namespace tallowmere
