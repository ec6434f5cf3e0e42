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

namespace {

namespace fs = std::filesystem;

const std::string kCli = TM_BINARY_DIR "/src/app/tallowmere-cli";

// Fills every plain item row of a converted workbook with numbers, and, after LibreOffice
// has recalculated it, checks each formula of the item rows against the arithmetic of its
// own references and checks the receipts total and the cash carry-over by row names.
constexpr const char* kRecalcScript = R"PY(
import csv, re, sys, openpyxl
from openpyxl.utils import column_index_from_string, get_column_letter

def fill(src, dst):
    wb = openpyxl.load_workbook(src)
    ws = wb.active
    for r in range(5, ws.max_row + 1):
        name = ws.cell(r, 2).value
        if not name: continue
        cells = [ws.cell(r, c) for c in range(3, ws.max_column + 1)]
        if any(isinstance(c.value, str) and c.value.startswith('=') for c in cells): continue
        if ws.cell(r, 2).font.b: continue  # headings and total rows
        for c in cells: c.value = (r * 7 + c.column) % 50 + 1
    wb.save(dst)

def check(filled, recalculated, receipts):
    wb = openpyxl.load_workbook(filled)
    ws = wb.active
    rows = list(csv.reader(open(recalculated, encoding='utf-8')))
    def value(r, c):
        if r - 1 >= len(rows) or c - 1 >= len(rows[r - 1]): return 0.0
        t = rows[r - 1][c - 1].strip()
        return float(t) if t else 0.0
    failures, formulas = [], 0
    names = {}
    for r in range(5, ws.max_row + 1):
        if ws.cell(r, 2).value: names[ws.cell(r, 2).value] = r
        for c in range(3, ws.max_column + 1):
            f = ws.cell(r, c).value
            if not (isinstance(f, str) and f.startswith('=')): continue
            formulas += 1
            expected, sign = 0.0, 1
            for tok in re.findall(r'[+-]|[A-Z]+[0-9]+', f[1:]):
                if tok in '+-': sign = 1 if tok == '+' else -1; continue
                m = re.match(r'([A-Z]+)([0-9]+)', tok)
                expected += sign * value(int(m.group(2)), column_index_from_string(m.group(1)))
            if abs(value(r, c) - expected) > 1e-6:
                failures.append('%s%d %s: %s != %s' % (get_column_letter(c), r, f, value(r, c), expected))
    total = names.get('TOTAL CASH RECEIPTS')
    first = names.get('Cash Sales')
    for c in range(3, ws.max_column + 1):
        if not (total and first and isinstance(ws.cell(total, c).value, str)): continue
        if value(total, c) != sum(value(first + i, c) for i in range(receipts)):
            failures.append('receipts total in column %d' % c)
    opening, closing = names.get('Cash on Hand (beginning of month)'), names.get('Cash Position (end of month)')
    available = names.get('Total Cash Available (before cash out)')
    for c in range(3, ws.max_column + 1):
        if value(available, c) != value(opening, c) + value(total, c):
            failures.append('cash available in column %d counts the receipts more than once' % c)
    for c in range(4, ws.max_column + 1):
        if value(opening, c) != value(closing, c - 1):
            failures.append('carry-over into column %d' % c)
    if formulas == 0: failures.append('no formulas found')
    print('\n'.join(failures) if failures else 'OK %d' % formulas)

if sys.argv[1] == 'fill': fill(sys.argv[2], sys.argv[3])
else: check(sys.argv[2], sys.argv[3], int(sys.argv[4]))
)PY";

struct Scenario {
  std::string name;
  std::string arguments;
  int receipts;  // items between "Cash Sales" and "TOTAL CASH RECEIPTS", inclusive of the first
};

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios{
      {"month", "--by-month 2013 2013 --company Acme", 3}, {"months", "--by-month 2013 2014", 3},
      {"year", "--by-year 2013 2016 --company Acme", 3},   {"week", "--by-week 52", 3},
      {"custom", "--by-month 2013 2013 --items ITEMS", 4},
  };
  return scenarios;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
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

int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class CliGenerate : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    work = fs::temp_directory_path() / ("tm-cli-interop-" + std::to_string(::getpid()));
    fs::remove_all(work);
    for (const char* dir : {"cfg", "tmp", "out", "xlsx", "filled", "shown", "recalc"})
      fs::create_directories(work / dir);
    std::ofstream(work / "recalc.py") << kRecalcScript;
    WriteCustomItems();
    std::string xlsFiles, filledFiles;
    for (const Scenario& s : Scenarios()) {
      std::string args = s.arguments;
      if (auto at = args.find("ITEMS"); at != std::string::npos) args.replace(at, 5, (work / "items.txt").string());
      const fs::path out = work / "out" / (s.name + ".xls");
      exitCodes[s.name] =
          Shell("env XDG_CONFIG_HOME=" + (work / "cfg").string() + " TEMP=" + (work / "tmp").string() + " " + kCli +
                " generate --out " + out.string() + " --picture " + (work / "out" / (s.name + ".bmp")).string() + " " +
                args + " 2>" + (work / "out" / (s.name + ".err")).string());
      xlsFiles += " " + out.string();
      filledFiles += " " + (work / "filled" / (s.name + ".xlsx")).string();
    }
    Soffice("'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true'", "shown", xlsFiles);
    Soffice("xlsx", "xlsx", xlsFiles);
    for (const Scenario& s : Scenarios())
      Shell("/usr/bin/python3 " + (work / "recalc.py").string() + " fill " +
            (work / "xlsx" / (s.name + ".xlsx")).string() + " " + (work / "filled" / (s.name + ".xlsx")).string());
    Soffice("'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false'", "recalc", filledFiles);
  }
  static void TearDownTestSuite() {
    if (!std::getenv("TM_KEEP_INTEROP")) fs::remove_all(work);
  }

  static void Soffice(const std::string& format, const std::string& outdir, const std::string& files) {
    Shell("timeout 300 soffice -env:UserInstallation=file://" + (work / "lo-profile").string() +
          " --headless --convert-to " + format + " --outdir " + (work / outdir).string() + files + " >/dev/null 2>&1");
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

  void CheckEveryModeSucceedsAndLeavesNoTemporaryFile() {
    for (const Scenario& s : Scenarios()) {
      EXPECT_EQ(exitCodes[s.name], 0) << s.name << ": " << ReadText(work / "out" / (s.name + ".err"));
      EXPECT_TRUE(fs::exists(work / "out" / (s.name + ".xls"))) << s.name;
      EXPECT_EQ(ReadText(work / "out" / (s.name + ".bmp")).substr(0, 2), "BM") << s.name;
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
      const fs::path output = work / (s.name + ".check");
      Shell("/usr/bin/python3 " + (work / "recalc.py").string() + " check " +
            (work / "filled" / (s.name + ".xlsx")).string() + " " + (work / "recalc" / (s.name + ".csv")).string() +
            " " + std::to_string(s.receipts) + " >" + output.string() + " 2>&1");
      const std::string result = ReadText(output);
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
