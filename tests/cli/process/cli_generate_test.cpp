// tallowmere-cli generate, read back by LibreOffice: the workbook opens, its period headers
// read as expected, its total rows recalculate from numbers typed into the item rows, and
// the picture is written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;

const std::string kCli = TM_BINARY_DIR "/src/app/tallowmere-cli";

using Args = std::vector<std::string>;
using tallowmere::testing::kPython;
using tallowmere::testing::ReadFile;
using tallowmere::testing::RunProgram;
using tallowmere::testing::TestScript;

struct Scenario {
  std::string name;
  Args arguments;
  int receipts;  // items between "Cash Sales" and "TOTAL CASH RECEIPTS", inclusive of the first
};

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios{
      {"month", {"--by-month", "2013", "2013", "--company", "Acme"}, 3}, {"months", {"--by-month", "2013", "2014"}, 3},
      {"year", {"--by-year", "2013", "2016", "--company", "Acme"}, 3},   {"week", {"--by-week", "52"}, 3},
      {"custom", {"--by-month", "2013", "2013", "--items", "ITEMS"}, 4},
  };
  return scenarios;
}

std::vector<std::vector<std::string>> ReadCsv(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (char ch : line) {
      if (ch == '"')
        quoted = !quoted;
      else if (ch == ',' && !quoted) {
        cells.push_back(cell);
        cell.clear();
      } else
        cell += ch;
    }
    cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

std::string Cell(const std::vector<std::vector<std::string>>& rows, int row, int column) {
  if (row - 1 >= static_cast<int>(rows.size()) || column - 1 >= static_cast<int>(rows[row - 1].size())) return "";
  return rows[row - 1][column - 1];
}

class CliGenerate : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    work = fs::temp_directory_path() / ("tm-cli-interop-" + std::to_string(::getpid()));
    fs::remove_all(work);
    for (const char* dir : {"cfg", "tmp", "out", "xlsx", "filled", "shown", "recalc"})
      fs::create_directories(work / dir);
    WriteCustomItems();
    Args xlsFiles, filledFiles;
    for (const Scenario& s : Scenarios()) {
      const fs::path out = work / "out" / (s.name + ".xls");
      Args argv{kCli, "generate", "--out", out.string(), "--picture", (work / "out" / (s.name + ".bmp")).string()};
      for (const std::string& argument : s.arguments)
        argv.push_back(argument == "ITEMS" ? (work / "items.txt").string() : argument);
      const auto run =
          RunProgram(argv, {{{"XDG_CONFIG_HOME", (work / "cfg").string()}, {"TEMP", (work / "tmp").string()}}, {}});
      exitCodes[s.name] = run.exitCode;
      errors[s.name] = run.err;
      xlsFiles.push_back(out.string());
      filledFiles.push_back((work / "filled" / (s.name + ".xlsx")).string());
    }
    Soffice("csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true", "shown", xlsFiles);
    Soffice("xlsx", "xlsx", xlsFiles);
    for (const Scenario& s : Scenarios())
      RunProgram({kPython, TestScript("cash_flow_recalc.py"), "fill", (work / "xlsx" / (s.name + ".xlsx")).string(),
                  (work / "filled" / (s.name + ".xlsx")).string()});
    Soffice("csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false", "recalc", filledFiles);
  }
  static void TearDownTestSuite() {
    if (!std::getenv("TM_KEEP_INTEROP")) fs::remove_all(work);
  }

  static void Soffice(const std::string& format, const std::string& outdir, const Args& files) {
    Args argv{"soffice",
              "-env:UserInstallation=file://" + (work / "lo-profile").string(),
              "--headless",
              "--convert-to",
              format,
              "--outdir",
              (work / outdir).string()};
    argv.insert(argv.end(), files.begin(), files.end());
    RunProgram(argv, {}, 300);
  }

  // The default items with one receipt inserted, two items deleted and a "_" name.
  static void WriteCustomItems() {
    const char* names[] = {"Cash on Hand (beginning of month)",
                           "CASH RECEIPTS",
                           "Cash Sales",
                           "Bank interest received",
                           "Collections from CR accounts",
                           "Loan or other cash injection",
                           "TOTAL CASH RECEIPTS",
                           "Total Cash Available (before cash out)",
                           "CASH PAID OUT",
                           "Purchases (merchandise)",
                           "_Purchases (specify)",
                           "Gross wages (exact withdrawal)",
                           "Outside services",
                           "Rent",
                           "Miscellaneous",
                           "SUBTOTAL",
                           "Loan principal payment",
                           "TOTAL CASH PAID OUT",
                           "Cash Position (end of month)"};
    std::ofstream items(work / "items.txt", std::ios::binary);
    items << "\xEF\xBB\xBF";
    for (const char* name : names) items << name << "\r\n";
  }

  static std::vector<std::vector<std::string>> Shown(const std::string& name) {
    return ReadCsv(work / "shown" / (name + ".csv"));
  }

  static inline fs::path work;
  static inline std::map<std::string, int> exitCodes;
  static inline std::map<std::string, std::string> errors;  // what each run printed on stderr

  void CheckEveryModeSucceedsAndLeavesNoTemporaryFile() {
    for (const Scenario& s : Scenarios()) {
      EXPECT_EQ(exitCodes[s.name], 0) << s.name << ": " << errors[s.name];
      EXPECT_TRUE(fs::exists(work / "out" / (s.name + ".xls"))) << s.name;
      EXPECT_EQ(ReadFile(work / "out" / (s.name + ".bmp")).substr(0, 2), "BM") << s.name;
    }
    EXPECT_TRUE(fs::is_empty(work / "tmp"));
    EXPECT_FALSE(fs::exists(work / "cfg" / "Quenwick.conf"));  // the settings are only read
  }

  void CheckMonthHeadersReadAsMonths() {
    const auto month = Shown("month");
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Cell(month, 4, 4 + i), std::string(months[i]) + "-13");
    EXPECT_EQ(Cell(month, 4, 16), "Total Item EST");
    EXPECT_EQ(Cell(month, 2, 8), "Acme");
    EXPECT_EQ(Cell(month, 2, 16), "Jan-13");

    const auto months2 = Shown("months");
    EXPECT_EQ(Cell(months2, 4, 4), "Jan-13");
    EXPECT_EQ(Cell(months2, 4, 15), "Dec-13");
    EXPECT_EQ(Cell(months2, 4, 16), "Jan-14");
    EXPECT_EQ(Cell(months2, 4, 27), "Dec-14");
    EXPECT_EQ(Cell(months2, 4, 28), "Total Item EST");
  }

  void CheckYearAndWeekHeaders() {
    const auto year = Shown("year");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Cell(year, 4, 4 + i), std::to_string(2013 + i));
    EXPECT_EQ(Cell(year, 2, 8), "2013");  // the fiscal start replaces the company at column H
    const auto week = Shown("week");
    EXPECT_EQ(Cell(week, 4, 4), "Week 1");
    EXPECT_EQ(Cell(week, 4, 55), "Week 52");
    EXPECT_EQ(Cell(week, 4, 56), "Total Item EST");
  }

  void CheckCustomItemsShowWithoutUnderscore() {
    const auto custom = Shown("custom");
    EXPECT_EQ(Cell(custom, 9, 2), "Bank interest received");
    EXPECT_EQ(Cell(custom, 17, 2), "Purchases (specify)");
    EXPECT_EQ(Cell(custom, 25, 2), "Cash Position (end of month)");
    for (const auto& row : custom) EXPECT_FALSE(row.size() > 1 && row[1] == "Advertising");
  }

  void CheckTotalsRecalculateFromTypedNumbers() {
    for (const Scenario& s : Scenarios()) {
      const auto check = RunProgram({kPython, TestScript("cash_flow_recalc.py"), "check",
                                     (work / "filled" / (s.name + ".xlsx")).string(),
                                     (work / "recalc" / (s.name + ".csv")).string(), std::to_string(s.receipts)});
      const std::string result = check.out + check.err;
      EXPECT_EQ(result.substr(0, 3), "OK ") << s.name << ":\n" << result;
    }
  }
};

// Each ctest run of a test repeats the suite's set-up (five runs of the program and three
// LibreOffice conversions), so the checks share one test.
TEST_F(CliGenerate, WorkbooksOpenInLibreOfficeWithHeadersTotalsAndPictures) {
  {
    SCOPED_TRACE("EveryModeSucceedsAndLeavesNoTemporaryFile");
    CheckEveryModeSucceedsAndLeavesNoTemporaryFile();
  }
  {
    SCOPED_TRACE("MonthHeadersReadAsMonths");
    CheckMonthHeadersReadAsMonths();
  }
  {
    SCOPED_TRACE("YearAndWeekHeaders");
    CheckYearAndWeekHeaders();
  }
  {
    SCOPED_TRACE("CustomItemsShowWithoutUnderscore");
    CheckCustomItemsShowWithoutUnderscore();
  }
  {
    SCOPED_TRACE("TotalsRecalculateFromTypedNumbers");
    CheckTotalsRecalculateFromTypedNumbers();
  }
}

}  // namespace
