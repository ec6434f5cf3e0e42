// The "Lowest cash position" line of a plan with numbers, built in the engine and read
// back from the saved workbook: the lowest end-of-period cash and the header of the period
// it first occurs in, as the sheet shows them, in each period layout.
#include "sheet/lowest_cash.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/application/application.h"
#include "engine/core/number_format.h"
#include "engine/xls/xls_reader.h"
#include "platform/files.h"
#include "sheet/automation_link.h"
#include "sheet/cash_flow_sheet.h"
#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

struct Rule {
  const char* item;
  Cents amount;
  Repeat repeat;
  const char* first;
};

// The shown texts of columns B, D and E of the line.
std::vector<std::string> LowestCashLine(const ReportParameters& parameters, Cents openingCash,
                                        const std::vector<Rule>& rules) {
  Template tmpl;
  tmpl.model.Forecast().openingCash = openingCash;
  tmpl.model.Forecast().week1 = ParseDate("2027-01-04");
  for (const Rule& rule : rules)
    tmpl.model.Item(tmpl.model.FindItem(rule.item))
        .Rules.push_back({rule.amount, rule.repeat, ParseDate(rule.first), std::nullopt, std::nullopt});
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  SpreadsheetLink link(factory);
  link.CreateSpreadsheetApp();
  auto book = link.SpreadsheetApp().GetWorkbooks().Add();
  BuildCashFlowSheet(link, tmpl.model, parameters);
  const fs::path path = fs::temp_directory_path() / ("tm-lowest-cash-" + std::to_string(::getpid()) + ".xls");
  book->SaveAs(path.string(), xl::kExcel8);
  const auto saved = engine::ReadXls(path.string());
  fs::remove(path);
  const engine::SheetData& sheet = *saved->sheets.at(saved->activeSheet);
  const int row = LowestCashRow(tmpl.model);
  std::vector<std::string> shown;
  for (int column : {2, 4, 5}) {
    const engine::Cell* cell = sheet.Find(row, column);
    shown.push_back(cell ? engine::FormatForDisplay(cell->value, saved->styles.Get(cell->style).numberFormat) : "");
  }
  return shown;
}

TEST(LowestCash, TheLineShowsTheLowestCashAndWhereItFirstOccurs) {
  const struct {
    const char* layout;
    ReportParameters parameters;
    Cents openingCash;
    std::vector<Rule> rules;
    std::vector<std::string> expected;
  } cases[] = {
      {"months",
       ByMonth("2027", "2027"),
       1000000,
       {{"Cash Sales", 500000, Repeat::Monthly, "2027-01-01"}, {"Rent", 600000, Repeat::Monthly, "2027-01-01"}},
       {"Lowest cash position", "-2,000", "Dec-27"}},
      {"years",
       ByYear("2027", "2029"),
       1000000,
       {{"Rent", 600000, Repeat::Once, "2028-03-01"}, {"Cash Sales", 500000, Repeat::Once, "2029-01-01"}},
       {"Lowest cash position", "4,000", "2028"}},
      // Rent falls in weeks 2 and 7; weeks 7 and 8 end equally low, and the first counts.
      {"weeks",
       ByWeek("8"),
       100000,
       {{"Rent", 60000, Repeat::Monthly, "2027-01-15"}},
       {"Lowest cash position", "-200", "Week 7"}},
  };
  for (const auto& c : cases) EXPECT_EQ(LowestCashLine(c.parameters, c.openingCash, c.rules), c.expected) << c.layout;
}

}  // namespace
}  // namespace tallowmere::testing
