// The warnings of a plan with numbers as other programs see them: LibreOffice finds the
// conditional formats of the .xls and the .xlsx on the two cash rows, shows the cells
// they mark, and marks others once a number typed into an item row changes the cash; the
// program's own picture shows the same marks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QJsonArray>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/core/sheet_format.h"
#include "engine/render/render.h"
#include "engine/render/render_grid.h"
#include "engine/xls/xls_reader.h"
#include "interop/program_output.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

const std::string kCli = TM_BINARY_DIR "/src/app/tallowmere-cli";
const QString kScript = TM_SOURCE_DIR "/tests/scripts/cash_warnings.py";
constexpr const char* kCashPosition = "Cash Position (end of month)";
constexpr const char* kCashOnHand = "Cash on Hand (beginning of month)";

// The look of a warning as a file holds it: font and fill colour, AARRGGBB, entries of
// the workbook's palette.
struct Look {
  QString font, fill;
};
const Look kRed{"FF800000", "FFFF99CC"}, kAmber{"FF993300", "FFFFE7BD"};

// Runs the script with arguments; the JSON object it prints.
QJsonObject RunScript(const QStringList& arguments) {
  const auto out = ProgramOutput(kPython, QStringList{kScript} + arguments, 300);
  return out ? QJsonDocument::fromJson(*out).object() : QJsonObject{};
}

using Args = std::vector<std::string>;

class CashWarnings : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    work = fs::temp_directory_path() / ("tm-cash-warnings-" + std::to_string(::getpid()));
    fs::remove_all(work);
    for (const char* dir : {"cfg", "tmp", "converted"}) fs::create_directories(work / dir);
    std::ofstream(work / "amounts.csv", std::ios::binary) << "item,occurrence,amount,repeat,first,last,growth\r\n"
                                                             "Cash Sales,1,5000,monthly,2027-01-01,,\r\n"
                                                             "Rent,1,6000,monthly,2027-01-01,,\r\n";
    const Args plan{"--amounts", (work / "amounts.csv").string(), "--opening-cash", "10000", "--minimum-cash", "5000"};
    const Args byMonth{"--by-month", "2027", "2027"};
    status = Generate("plan.xls", byMonth, plan, {"--picture", (work / "plan.bmp").string()}) +
             Generate("plan.xlsx", byMonth, plan);
    const Args byYear{"--by-year", "2027", "2029"}, byWeek{"--by-week", "8", "--week1", "2027-01-04"};
    for (const char* format : {"xls", "xlsx"})
      status +=
          Generate(std::string("year.") + format, byYear, plan) + Generate(std::string("week.") + format, byWeek, plan);
    RunProgram({"soffice", "-env:UserInstallation=file://" + (work / "convert-profile").string(), "--headless",
                "--convert-to", "xlsx", "--outdir", (work / "converted").string(), (work / "plan.xls").string(),
                (work / "year.xls").string(), (work / "week.xls").string()},
               {}, 300);
  }
  static void TearDownTestSuite() {
    if (!std::getenv("TM_KEEP_INTEROP")) fs::remove_all(work);
  }

  // Runs the command line's generate into work/out; its exit status, its errors kept in work/errors.
  static int Generate(const std::string& out, const Args& mode, const Args& plan, const Args& more = {}) {
    Args argv{kCli, "generate", "--out", (work / out).string()};
    for (const Args* part : {&mode, &plan, &more}) argv.insert(argv.end(), part->begin(), part->end());
    const ProgramResult run =
        RunProgram(argv, {{{"XDG_CONFIG_HOME", (work / "cfg").string()}, {"TEMP", (work / "tmp").string()}}, {}});
    std::ofstream(work / "errors", std::ios::app) << run.err;
    return run.exitCode;
  }

  static QString Path(const std::string& name) { return QString::fromStdString((work / name).string()); }

  static inline fs::path work;
  static inline int status = -1;
};

// Every range of the file: the cash-position row, then the cash-on-hand row, over the
// period columns, each with its red rule before its amber one, stopping at the first.
TEST_F(CashWarnings, FilesHoldTheConditionsOnBothCashRows) {
  ASSERT_EQ(status, 0);
  const struct {
    const char* file;
    const char* lastColumn;
  } cases[] = {
      {"plan.xlsx", "O"},
      {"year.xlsx", "F"},
      {"week.xlsx", "K"},
      // the .xls files as LibreOffice reads them
      {"converted/plan.xlsx", "O"},
      {"converted/year.xlsx", "F"},
      {"converted/week.xlsx", "K"},
  };
  for (const auto& c : cases) {
    const QJsonArray formats = RunScript({"rules", Path(c.file)})["formats"].toArray();
    ASSERT_EQ(formats.size(), 2) << c.file;
    const QString rows[] = {"43", "5"};
    const QString labels[] = {kCashPosition, kCashOnHand};
    for (int i = 0; i < 2; ++i) {
      const QJsonObject format = formats[i].toObject();
      EXPECT_EQ(format["range"].toString(), "D" + rows[i] + ":" + c.lastColumn + rows[i]) << c.file;
      EXPECT_EQ(format["labels"].toObject()[rows[i]].toString(), labels[i]) << c.file;
      const QJsonArray rules = format["rules"].toArray();
      ASSERT_EQ(rules.size(), 2) << c.file;
      const std::pair<QString, Look> expected[] = {{"0", kRed}, {"5000", kAmber}};
      for (int k = 0; k < 2; ++k) {
        const QJsonObject rule = rules[k].toObject();
        EXPECT_EQ(rule["type"].toString(), "cellIs") << c.file;
        EXPECT_EQ(rule["operator"].toString(), "lessThan") << c.file;
        EXPECT_EQ(rule["formula"].toArray(), QJsonArray{expected[k].first}) << c.file;
        EXPECT_EQ(rule["font"].toString(), expected[k].second.font) << c.file << " rule " << k;
        EXPECT_EQ(rule["fill"].toString(), expected[k].second.fill) << c.file << " rule " << k;
        // LibreOffice's own .xlsx leaves stop-if-true out: its conditions stop at the first anyway.
        EXPECT_TRUE(rule["stop"].toBool() || QString(c.file).startsWith("converted")) << c.file;
      }
    }
  }
}

// Month by month: the cash position falls from 9,000 by 1,000 a month, the cash on hand
// lags it by a month; below 5,000 amber, below 0 red.
TEST_F(CashWarnings, PictureShowsTheMarksOfEachMonth) {
  ASSERT_EQ(status, 0);
  const QImage image(Path("plan.bmp"));
  ASSERT_FALSE(image.isNull());
  const std::shared_ptr<engine::WorkbookData> book = engine::ReadXls((work / "plan.xls").string());
  const engine::SheetData& sheet = *book->sheets.at(0);
  const engine::PictureGrid grid = engine::LayOutGrid(sheet, engine::UsedRect(sheet), engine::kMaxPicturePixels);
  const auto rowOf = [&](const std::string& label) {
    for (int row = 1; row <= 100; ++row)
      if (const engine::Cell* cell = sheet.Find(row, 2); cell && cell->value.text == label) return row;
    return 0;
  };
  const QRgb red = 0xFF99CC, amber = 0xFFE7BD;
  const struct {
    const char* row;
    int firstAmber, firstRed;
  } cases[] = {{kCashPosition, 6, 11}, {kCashOnHand, 7, 12}};
  for (const auto& c : cases) {
    const int row = rowOf(c.row);
    ASSERT_GT(row, 0) << c.row;
    for (int month = 1; month <= 12; ++month) {
      const int column = 3 + month;
      const QRgb shown = image.pixel(grid.Left(column) + 2, grid.Top(row) + 2) & 0xFFFFFF;
      const QRgb expected = month >= c.firstRed ? red : month >= c.firstAmber ? amber : 0;
      if (expected)
        EXPECT_EQ(shown, expected) << c.row << " month " << month;
      else
        EXPECT_TRUE(shown != red && shown != amber) << c.row << " month " << month;
    }
  }
}

// Rent of 16,000 in January takes every cash position below 0 and every cash on hand after
// January: 23 red cells instead of 3, and no amber one instead of 10.
TEST_F(CashWarnings, ANumberTypedInLibreOfficeMovesTheMarks) {
  ASSERT_EQ(status, 0);
  const QString red = kRed.fill.mid(2), amber = kAmber.fill.mid(2);
  for (const char* file : {"plan.xlsx", "plan.xls"}) {
    const QJsonObject counts = RunScript({"marks", Path(file), Path("marks-profile"), "Rent", "16000", red, amber});
    const QJsonObject before = counts["before"].toObject(), after = counts["after"].toObject();
    EXPECT_GT(before[red].toInt(), 0) << file;
    EXPECT_GT(before[amber].toInt(), 0) << file;
    EXPECT_GT(after[red].toInt(), 5 * before[red].toInt()) << file;
    EXPECT_EQ(after[amber].toInt(), 0) << file;
  }
}

}  // namespace
}  // namespace tallowmere::testing
