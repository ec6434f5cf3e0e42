// The sheet the layout builds in the built-in engine, read back from the saved workbook:
// headers and their values, total rows computed from typed numbers, print area, sheets.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/application/application.h"
#include "engine/xls/xls_reader.h"
#include "sheet/cash_flow_sheet.h"
#include "sheet/cell_helpers.h"
#include "sheet/report_driver.h"
#include "support/scripted_dialogs.h"
#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;
using engine::WorkbookData;

class NullHost : public ReportHost {
 public:
  void SetMainPointer(PointerKind) override {}
  void LoadPreviewPicture(const std::string&) override {}
  void SetPreviewWorkbook(const std::string&) override {}
  void ShowPreview() override {}
  void HideMainWindow() override {}
};

class EngineSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("tm-engine-sheet-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // The whole report; the saved workbook read back.
  std::shared_ptr<WorkbookData> Report(const ReportParameters& parameters, int sheets = 1) {
    engine::EngineApplicationFactory factory(clipboard, LocalFileSystem(), sheets);
    ReportEnvironment env{factory, dialogs, clipboard, LocalFileSystem(), folder.string()};
    NullHost host;
    const std::string path = GenerateReport0(env, tmpl.model, parameters, host).workbookPath;
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    return engine::ReadXls(path);
  }

  // The layout, then numbers typed into the given cells, saved and read back.
  std::shared_ptr<WorkbookData> LayoutWithNumbers(const ReportParameters& parameters,
                                                  const std::map<std::string, std::string>& numbers) {
    return LayoutWithNumbers(tmpl.model, parameters, numbers);
  }
  std::shared_ptr<WorkbookData> LayoutWithNumbers(TemplateModel& model, const ReportParameters& parameters,
                                                  const std::map<std::string, std::string>& numbers) {
    engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
    SpreadsheetLink link(factory);
    link.CreateSpreadsheetApp();
    auto book = link.SpreadsheetApp().GetWorkbooks().Add();
    BuildCashFlowSheet(link, model, parameters);
    for (const auto& [address, text] : numbers) WriteCell(link.SpreadsheetApp(), address, text, true);
    const std::string path = (folder / "typed.xls").string();
    book->SaveAs(path, xl::kExcel8);
    return engine::ReadXls(path);
  }

  static const engine::SheetData& Sheet(const WorkbookData& book) { return *book.sheets.at(book.activeSheet); }
  static engine::Value ValueAt(const WorkbookData& book, int row, int column) {
    const engine::Cell* cell = Sheet(book).Find(row, column);
    return cell ? cell->value : engine::Value{};
  }
  static double NumberAt(const WorkbookData& book, int row, int column) {
    const engine::Value v = ValueAt(book, row, column);
    EXPECT_EQ(v.type, engine::Value::Type::Number) << "row " << row << " column " << column;
    return v.number;
  }
  static std::string TextAt(const WorkbookData& book, int row, int column) { return ValueAt(book, row, column).text; }

  fs::path folder;
  InProcessClipboard clipboard;
  ScriptedDialogs dialogs;
  Template tmpl;
};

TEST_F(EngineSheet, MonthHeadersAreLiveDatesOfTheStartYear) {
  auto book = Report(ByMonth("2013", "2014"));
  ASSERT_EQ(book->sheets.size(), 1u);
  const auto& sheet = Sheet(*book);
  EXPECT_EQ(sheet.name, "CashFlow");
  EXPECT_EQ(NumberAt(*book, 2, 28), engine::DateSerial(2013, 1, 1));  // AB2
  for (int month = 0; month < 24; ++month)
    EXPECT_EQ(NumberAt(*book, 4, 4 + month), engine::DateSerial(2013 + month / 12, month % 12 + 1, 1)) << month;
  EXPECT_EQ(TextAt(*book, 4, 28), "Total Item EST");
  EXPECT_EQ(book->styles.Get(sheet.EffectiveStyle(4, 27)).numberFormat, "mmm-yy");
  EXPECT_DOUBLE_EQ(sheet.ColumnWidth(2), 32.0);
  EXPECT_DOUBLE_EQ(sheet.ColumnWidth(28), 9.17);
  EXPECT_DOUBLE_EQ(sheet.RowHeight(2), 27.75);
  EXPECT_NE(sheet.pageSetup.printArea.find("AB53"), std::string::npos) << sheet.pageSetup.printArea;
  EXPECT_TRUE(sheet.pageSetup.landscape);
  EXPECT_TRUE(sheet.pageSetup.fitToPages);
}

TEST_F(EngineSheet, FractionalMonthYearsStartOnARealDate) {
  auto book = Report(ByMonth("2013.4", "2013.6"));  // 2013 to 2014, as the start check reads them
  EXPECT_EQ(NumberAt(*book, 2, 28), engine::DateSerial(2013, 1, 1));
  EXPECT_EQ(NumberAt(*book, 4, 27), engine::DateSerial(2014, 12, 1));
}

TEST_F(EngineSheet, ThreeNewSheetsBecomeOneAndWeeksReachBC) {
  auto book = Report(ByWeek("52"), 3);
  ASSERT_EQ(book->sheets.size(), 1u);
  EXPECT_EQ(Sheet(*book).name, "CashFlow");
  EXPECT_EQ(TextAt(*book, 4, 4), "Week 1");
  EXPECT_EQ(TextAt(*book, 4, 55), "Week 52");
  EXPECT_EQ(TextAt(*book, 4, 56), "Total Item EST");
  EXPECT_NE(Sheet(*book).pageSetup.printArea.find("BD53"), std::string::npos);
}

TEST_F(EngineSheet, FiscalStartReplacesTheCompanyAtColumnEight) {
  ReportParameters parameters = ByYear("2020", "2023");
  parameters.company = "Acme";
  auto book = Report(parameters);
  EXPECT_EQ(NumberAt(*book, 2, 8), 2020);
  EXPECT_EQ(TextAt(*book, 2, 7), "Fiscal Period Begins:");
  EXPECT_EQ(NumberAt(*book, 4, 4), 2020);  // =R[-2]C[4]
  EXPECT_EQ(NumberAt(*book, 4, 7), 2023);
}

TEST_F(EngineSheet, TotalsComputeFromTypedNumbers) {
  // Default rows: 8-10 receipts, 11 TOTAL CASH RECEIPTS, 12 Total Cash Available,
  // 15-35 paid out, 36 SUBTOTAL, 37-41, 42 TOTAL CASH PAID OUT, 43 Cash Position.
  std::map<std::string, std::string> numbers{{"C8", "100"}, {"C9", "20"},  {"C10", "3"}, {"C5", "1000"},
                                             {"D8", "7"},   {"C15", "50"}, {"C41", "5"}};
  auto book = LayoutWithNumbers(ByMonth("2013", "2013"), numbers);
  EXPECT_EQ(NumberAt(*book, 11, 3), 123);  // C11 = C8 + C9 + C10
  EXPECT_EQ(NumberAt(*book, 11, 4), 7);    // D11 = D8
  EXPECT_EQ(NumberAt(*book, 36, 3), 50);   // SUBTOTAL
  EXPECT_EQ(NumberAt(*book, 42, 3), 55);   // TOTAL CASH PAID OUT = 50 + 5
  // Total Cash Available counts the receipts once: opening cash plus their total.
  EXPECT_EQ(NumberAt(*book, 12, 3), 1000 + 123);
  EXPECT_EQ(NumberAt(*book, 43, 3), 1123 - 55);  // closing cash of C
  // The closing cash carries into the next period's opening cash, and on through the year.
  EXPECT_EQ(NumberAt(*book, 5, 4), 1068);
  EXPECT_EQ(NumberAt(*book, 43, 4), 1068 + 7);
  EXPECT_EQ(NumberAt(*book, 5, 5), 1075);
  EXPECT_EQ(NumberAt(*book, 5, 16), 1075);  // the total column carries December's
}

TEST_F(EngineSheet, CustomTableWithHeadingFirstAndThreeReferenceDifference) {
  std::vector<std::string> names = DefaultItemNames();
  std::swap(names[0], names[1]);  // heading first: spacer in row 5, heading in row 6
  names[3] = "_Collections";      // item 4, row 9
  Template custom(names);
  TemplateItem& position = custom.model.Item(37);  // row 43
  ASSERT_EQ(position.Name, "Cash Position (end of month)");
  position.Refs = "3,4,5";
  position.Kind = "DIF";
  auto book = LayoutWithNumbers(custom.model, ByWeek("4"), {{"D8", "100"}, {"D9", "30"}, {"D10", "8"}});
  EXPECT_EQ(TextAt(*book, 6, 2), "CASH RECEIPTS");
  EXPECT_EQ(TextAt(*book, 9, 2), "Collections");
  EXPECT_DOUBLE_EQ(Sheet(*book).RowHeight(5), 8);
  EXPECT_DOUBLE_EQ(Sheet(*book).RowHeight(7), 24);  // opening cash off item 1: total styling, no formula
  EXPECT_EQ(ValueAt(*book, 7, 4).type, engine::Value::Type::Empty);
  EXPECT_EQ(NumberAt(*book, 43, 4), 100 - 30 - 8);  // item 37 in list order
  EXPECT_EQ(NumberAt(*book, 43, 5), 0);
}

// A hand-edited table with a total's name twice (the copy directly below the first): both
// copies add the rows of their section, the totals that list them count them once, and the
// sheet is laid out to its last row with its page setup.
struct DuplicateTotal {
  const char* name;
  int index;                                 // of the first copy, from 0
  std::map<std::string, std::string> typed;  // into column C
  std::vector<std::pair<int, double>> rows;  // value of column C in these rows
  friend void PrintTo(const DuplicateTotal& c, std::ostream* out) { *out << c.name << " twice"; }
};

class DuplicateTotalName : public EngineSheet, public ::testing::WithParamInterface<DuplicateTotal> {};

TEST_P(DuplicateTotalName, EveryTotalComputesAndTheSheetIsWhole) {
  std::vector<std::string> names = DefaultItemNames();
  ASSERT_EQ(names[GetParam().index], GetParam().name);
  names.insert(names.begin() + GetParam().index + 1, GetParam().name);
  Template doubled(names);
  auto book = LayoutWithNumbers(doubled.model, ByMonth("2013", "2013"), GetParam().typed);
  for (const auto& [row, value] : GetParam().rows) EXPECT_EQ(NumberAt(*book, row, 3), value) << "row " << row;
  EXPECT_EQ(TextAt(*book, 44, 2), "Cash Position (end of month)");
  EXPECT_EQ(TextAt(*book, 52, 2), names.back());
  EXPECT_EQ(Sheet(*book).pageSetup.printArea, "A1:P54");
}

INSTANTIATE_TEST_SUITE_P(EngineSheet, DuplicateTotalName,
                         ::testing::Values(
                             // Rows: 11 and 12 the receipts' totals, 13 Total Cash Available, 43 TOTAL CASH PAID OUT.
                             DuplicateTotal{"TOTAL CASH RECEIPTS",
                                            5,
                                            {{"C5", "1000"}, {"C8", "100"}, {"C10", "3"}, {"C16", "50"}},
                                            {{11, 103}, {12, 103}, {13, 1103}, {43, 50}, {44, 1053}}},
                             // Rows: 36 and 37 the two subtotals, 38-42 the rest paid out, 43 TOTAL CASH PAID OUT.
                             DuplicateTotal{"SUBTOTAL",
                                            29,
                                            {{"C5", "1000"}, {"C15", "50"}, {"C35", "7"}, {"C42", "5"}},
                                            {{36, 57}, {37, 57}, {43, 62}, {44, 938}}}),
                         [](const auto& test) { return std::to_string(test.index); });

}  // namespace
}  // namespace tallowmere::testing
