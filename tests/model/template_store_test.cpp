// Loading and storing the item table and the window parameters.
#include <gtest/gtest.h>

#include <stdexcept>

#include "model/store_keys.h"
#include "model/template_model.h"
#include "model/text_values.h"
#include "support/memory_settings_store.h"

namespace tallowmere {
namespace {

class TemplateStoreTest : public ::testing::Test {
 protected:
  void Load(bool restore = false) { model.LoadTemplate(restore, store, fields); }
  // Closes and starts again on the same store.
  void Restart() {
    store.writes.clear();
    model.SaveTemplate(store);
    list = VectorListView();
    Load();
  }
  // The load fails with a description mentioning fragment, and has allocated nothing.
  void ExpectLoadFails(const std::string& fragment) {
    try {
      Load();
      FAIL() << "load passed";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
  }

  testing::MemorySettingsStore store;
  PlainParameterFields fields;
  VectorListView list;
  TemplateModel model{list};
};

TEST_F(TemplateStoreTest, EmptyStoreGivesDefaultsAndDefaultParameters) {
  fields.SetText(ParameterField::MonthFirstYear, "keep");
  Load();
  EXPECT_EQ(list.Entries(), DefaultItemNames());
  EXPECT_EQ(list.Selected(), 0);
  const ReportParameters& p = fields.Values();
  EXPECT_EQ(p.company, "");
  EXPECT_EQ(p.firstYear, CurrentYearText());
  EXPECT_EQ(p.lastYear, CurrentYearText());
  EXPECT_EQ(p.weeks, "5");
  EXPECT_EQ(p.monthFirstYear, "keep");
  EXPECT_EQ(p.mode, PeriodMode::Month);
}

TEST_F(TemplateStoreTest, StoredParametersAreApplied) {
  store.values = {{"Year", " 2030.6abc"},      {"Year1", "letters"}, {"Weeks", "-3"},
                  {"Company", " A & B, Ltd "}, {"IsYear", "false"},  {"IsMonth", "0"}};
  Load();
  const ReportParameters& p = fields.Values();
  EXPECT_EQ(p.firstYear, "2030.6");
  EXPECT_EQ(p.lastYear, "0");
  EXPECT_EQ(p.weeks, "-3");
  EXPECT_EQ(p.company, " A & B, Ltd ");
  EXPECT_EQ(p.mode, PeriodMode::Week);

  store.values = {{"IsYear", "True"}, {"IsMonth", "False"}};
  Load();
  EXPECT_EQ(fields.Values().mode, PeriodMode::Year);
  store.values = {{"IsYear", "True"}, {"IsMonth", "True"}};
  Load();
  EXPECT_EQ(fields.Values().mode, PeriodMode::Month);
}

TEST_F(TemplateStoreTest, StoredNumbersComeBackAsPlainDecimalsOfAnySize) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"99999999999", "99999999999"},
      {"2024.5", "2024.5"},
      {"-2024.25x", "-2024.25"},
      {"  007", "7"},
      {"1e3", "1000"},
      {"2.5e-2", "0.025"},
      {"-0", "0"},
      {".5", "0.5"},
      {"1e400", "1e400"},  // beyond any number: kept as stored rather than lost
  };
  for (const auto& [stored, shown] : cases) {
    store.values = {{"Year", stored}, {"Year1", stored}, {"Weeks", stored}, {"Company", "Acme"}};
    Load();
    EXPECT_EQ(fields.Values().firstYear, shown) << stored;
    EXPECT_EQ(fields.Values().lastYear, shown) << stored;
    EXPECT_EQ(fields.Values().weeks, shown) << stored;
    EXPECT_EQ(fields.Values().company, "Acme") << stored;
  }
}

TEST_F(TemplateStoreTest, AKeyThatCannotBeReadKeepsNeitherLaterKeysNorItsStoredText) {
  struct Case {
    std::string key, damaged;
  };
  for (const Case& c : std::vector<Case>{{"IsYear", "maybe"},
                                         {"IsMonth", "maybe"},
                                         {"System Value - Rows", "0"},
                                         {"System Value - Saved", "yes"},
                                         {"Company", "unreadable"}}) {
    store = {};
    store.values = {{"Company", "Acme"}, {"Year", "2020"}, {"IsYear", "True"}, {"IsMonth", "False"}};
    store.values[c.key] = c.damaged;
    if (c.key == "Company") store.failingReads = {"Company"};
    fields = PlainParameterFields();
    VectorListView startList;
    TemplateModel started{startList};
    EXPECT_ANY_THROW(started.LoadTemplate(false, store, fields)) << c.key;
    EXPECT_EQ(fields.Values().company, c.key == "Company" ? "" : "Acme") << c.key;
    EXPECT_EQ(fields.Values().firstYear, "2020") << c.key;
    EXPECT_EQ(fields.Values().mode, c.key == "IsYear" ? PeriodMode::Week : PeriodMode::Year) << c.key;
    // Closing leaves the unread key as stored and writes the others.
    WriteStoreSteps(store, ParameterStoreSteps(fields, started.UnreadParameters()));
    started.SaveTemplate(store);
    EXPECT_EQ(store.values[c.key], c.damaged) << c.key;
    EXPECT_EQ(store.values["Year"], "2020") << c.key;
  }
  // A value the user sets after the load is stored as usual.
  store = {};
  fields = PlainParameterFields();
  store.values = {{"IsYear", "maybe"}, {"IsMonth", "False"}};
  ExpectLoadFails("Type mismatch");
  fields.SetMode(PeriodMode::Year);
  WriteStoreSteps(store, ParameterStoreSteps(fields, model.UnreadParameters()));
  EXPECT_EQ(store.values["IsYear"], "True");
}

TEST_F(TemplateStoreTest, ClosingWritesTheParametersInOrderWithTheirLines) {
  fields = PlainParameterFields(ReportParameters{"Co", PeriodMode::Week, "2020", "", "x", "y", "7"});
  const std::vector<StoreStep> steps = ParameterStoreSteps(fields);
  ASSERT_EQ(steps.size(), 6u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Company", "Co"}, {"Year", "2020"}, {"Year1", ""}, {"Weeks", "7"}, {"IsYear", "False"}, {"IsMonth", "False"}};
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].line, 104 + 2 * static_cast<int>(i));
    EXPECT_EQ(std::make_pair(steps[i].key, steps[i].value), expected[i]);
  }
}

TEST_F(TemplateStoreTest, RoundTripKeepsNamesExactly) {
  Load();
  model.InsertItem("  Lead & trail  ", 3);
  model.RenameItem("A&B&C", 20);
  Restart();
  ASSERT_EQ(model.Count(), 45);
  EXPECT_EQ(store.values["System Value - Rows"], "45");
  EXPECT_EQ(store.values["System Value - Columns"], "7");
  EXPECT_EQ(store.values["System Value - Saved"], "True");
  EXPECT_EQ(store.writes.front(), "Field1");
  EXPECT_EQ(store.writes[44], "Field45");
  EXPECT_EQ(store.writes.back(), "System Value - Saved");
  EXPECT_EQ(model.Item(4).Name, "  Lead & trail  ");
  EXPECT_EQ(model.Item(20).Name, "A&B&C");
  EXPECT_EQ(list.Count(), 45);
  EXPECT_EQ(model.Item(7).Refs, "3,4,5,6");
}

TEST_F(TemplateStoreTest, StaleFieldKeysStayUnread) {
  Load();
  model.SaveTemplate(store);
  store.values["Field43"] = "stale 43";
  model.DeleteItem(44);
  model.DeleteItem(43);
  Restart();
  EXPECT_EQ(store.values["System Value - Rows"], "42");
  EXPECT_EQ(store.values["Field43"], "stale 43");
  EXPECT_EQ(store.values["Field44"], "Depreciation");
  EXPECT_EQ(model.Count(), 42);
  EXPECT_EQ(list.Entries().back(), "Inventory on hand (end of month)");
}

TEST_F(TemplateStoreTest, MissingFieldGivesAnEmptyName) {
  Load();
  model.SaveTemplate(store);
  store.values.erase("Field40");
  Load();
  EXPECT_EQ(list.Entries()[39], "");
}

TEST_F(TemplateStoreTest, RestoreRebuildsDefaultsAndResetsParameters) {
  store.values = {{"Company", "Co"}, {"IsYear", "True"}, {"IsMonth", "False"}, {"System Value - Saved", "junk"}};
  fields.SetText(ParameterField::MonthLastYear, "2011");
  model.InsertItem("x", 0);
  Load(true);  // a damaged saved flag does not stop a restore
  EXPECT_EQ(list.Entries(), DefaultItemNames());
  EXPECT_EQ(fields.Values().company, "");
  EXPECT_EQ(fields.Values().weeks, "5");
  EXPECT_EQ(fields.Values().monthLastYear, "2011");
  EXPECT_EQ(fields.Values().mode, PeriodMode::Month);
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(TemplateStoreTest, InvalidCountsFailBeforeAnythingIsBuilt) {
  for (const char* rows : {"0", "abc", "-1", "40000", "1e9", "1e300"}) {
    store.values = {{"System Value - Rows", rows}};
    ExpectLoadFails("row count must be a whole number from 1 to 32767");
    EXPECT_EQ(model.Count(), 0) << rows;
    EXPECT_EQ(list.Count(), 0);
  }
  store.values = {{"System Value - Columns", "4"}};
  ExpectLoadFails("column count must be a whole number of at least 5; it is \"4\".");
  EXPECT_EQ(fields.Values().weeks, "5");  // the parameters load all the same
}

TEST_F(TemplateStoreTest, BadFlagsFailAtTheirStep) {
  store.values = {{"System Value - Rows", "2"}, {"System Value - Saved", "yes"}, {"Field1", "A"}, {"Field2", "B"}};
  ExpectLoadFails("Type mismatch");
  EXPECT_EQ(model.Count(), 0);
  EXPECT_EQ(list.Count(), 0);
  model.SaveTemplate(store);  // closing after the failed load keeps the stored table
  EXPECT_TRUE(store.writes.empty());

  store.values = {{"IsYear", "maybe"}};
  fields.SetText(ParameterField::Company, "before");
  ExpectLoadFails("Type mismatch");
  EXPECT_EQ(list.Count(), 44);
  EXPECT_EQ(fields.Values().company, "");

  // A damaged "IsMonth" leaves the "IsYear" choice applied.
  store.values = {{"IsYear", "True"}, {"IsMonth", "maybe"}};
  ExpectLoadFails("Type mismatch");
  EXPECT_EQ(fields.Values().mode, PeriodMode::Year);
}

TEST_F(TemplateStoreTest, TableWithoutReservedItemsFailsPartWay) {
  store.values = {{"System Value - Rows", "3"},
                  {"System Value - Saved", "True"},
                  {"Field1", "Rent"},
                  {"Field2", "SUBTOTAL"},
                  {"Field3", "Tax"}};
  ExpectLoadFails("Purchases (merchandise)");
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"Rent"}));
}

TEST_F(TemplateStoreTest, SharedTotalNamesCannotBlowUpTheLists) {
  // Every opening-cash row lists every closing-cash row: quadratic without a bound.
  store.values = {{"System Value - Rows", "32767"}, {"System Value - Saved", "True"}};
  for (int i = 1; i <= 32767; ++i) {
    store.values["Field" + std::to_string(i)] =
        i <= 16383 ? "Cash on Hand (beginning of month)" : "Cash Position (end of month)";
  }
  ExpectLoadFails("reference lists are too long");
}

TEST_F(TemplateStoreTest, SaveStepsCarryTheirLinesAndRunUnderTheCallersTrap) {
  Load();
  const std::vector<StoreStep> steps = model.TemplateStoreSteps();
  ASSERT_EQ(steps.size(), 47u);
  EXPECT_EQ(steps[0].line, 116);
  EXPECT_EQ(steps[43].line, 116);
  EXPECT_EQ(steps[44].line, 120);
  EXPECT_EQ(steps[46].line, 124);

  store.failingKeys = {"Field2", "System Value - Rows"};
  std::vector<int> failedLines;
  model.SaveTemplate(store, [&](int line, const std::function<void()>& write) {
    try {
      write();
    } catch (const std::exception&) {
      failedLines.push_back(line);
    }
  });
  EXPECT_EQ(failedLines, (std::vector<int>{116, 120}));
  EXPECT_EQ(store.writes.size(), 45u);
  EXPECT_EQ(store.values["System Value - Saved"], "True");
  EXPECT_THROW(model.SaveTemplate(store), std::runtime_error);  // no runner: the failure propagates
}

}  // namespace
}  // namespace tallowmere
