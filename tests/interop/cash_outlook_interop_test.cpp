// The lowest cash and the chart of a plan with numbers in other programs: LibreOffice
// recalculates the .xls and the .xlsx of tallowmere-cli and shows the lowest cash and its
// period in each layout, and new ones after a number is typed into an item cell; openpyxl
// finds the .xlsx's chart over the cash-position row; the PDF has the chart on a second
// page and the picture shows it below the table.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "interop/program_output.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

const std::string kCli = TM_BINARY_DIR "/src/app/tallowmere-cli";
const QString kCheck = TM_SOURCE_DIR "/tests/scripts/lowest_cash_check.py";
const QString kCharts = TM_SOURCE_DIR "/tests/scripts/xlsx_charts.py";

struct Plan {
  std::string name;
  std::string rules;  // lines of the amounts file after its header
  std::vector<std::string> arguments;
};

const std::vector<Plan>& Plans() {
  static const std::vector<Plan> plans{
      {"month",
       "Cash Sales,1,5000,monthly,2027-01-01,,\r\nRent,1,6000,monthly,2027-01-01,,\r\n",
       {"--by-month", "2027", "2027", "--opening-cash", "10000"}},
      {"year",
       "Cash Sales,1,5000,monthly,2027-01-01,,\r\nRent,1,6000,monthly,2027-01-01,,\r\n",
       {"--by-year", "2027", "2029", "--opening-cash", "10000"}},
      // Rent in weeks 2 and 7: weeks 7 and 8 end equally low, and the first counts.
      {"week",
       "Rent,1,250,monthly,2027-01-15,,\r\n",
       {"--by-week", "8", "--week1", "2027-01-04", "--opening-cash", "1000"}},
  };
  return plans;
}

class CashOutlookInterop : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    work = fs::temp_directory_path() / ("tm-lowest-cash-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "cfg");
    fs::create_directories(work / "tmp");
    for (const Plan& plan : Plans()) {
      const fs::path amounts = work / (plan.name + ".csv");
      std::ofstream(amounts, std::ios::binary) << "item,occurrence,amount,repeat,first,last,growth\r\n" << plan.rules;
      for (const char* format : {"xls", "xlsx", "pdf"}) {
        const fs::path out = work / (plan.name + "." + format);
        std::vector<std::string> argv{kCli, "generate", "--out", out.string(), "--amounts", amounts.string()};
        // The month plan's .xls comes with its picture.
        if (plan.name == "month" && format == std::string("xls"))
          argv.insert(argv.end(), {"--picture", (work / "month.bmp").string()});
        argv.insert(argv.end(), plan.arguments.begin(), plan.arguments.end());
        const ProgramResult run =
            RunProgram(argv, {{{"XDG_CONFIG_HOME", (work / "cfg").string()}, {"TEMP", (work / "tmp").string()}}, {}});
        EXPECT_TRUE(run.Succeeded()) << out << ": " << run.err;
      }
    }
  }
  static void TearDownTestSuite() { fs::remove_all(work); }

  // What the check script prints for each workbook, by file name: the line's texts.
  static std::map<std::string, QStringList> Check(const QStringList& arguments) {
    const QString profile = QString::fromStdString((work / ("profile-" + std::to_string(++runs))).string());
    std::map<std::string, QStringList> lines;
    if (const auto out = ProgramOutput(kPython, QStringList{kCheck, profile} + arguments, 300)) {
      for (const QString& line : QString::fromUtf8(*out).split('\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split('\t');
        const std::string file = fields.takeFirst().toStdString();
        lines[file] = fields;
      }
    }
    return lines;
  }
  static QString File(const std::string& name) { return QString::fromStdString((work / name).string()); }

  static inline fs::path work;
  static inline int runs = 0;
};

TEST_F(CashOutlookInterop, LibreOfficeShowsTheLowestCashAndItsPeriodInEveryLayout) {
  QStringList files;
  for (const Plan& plan : Plans())
    for (const char* format : {".xls", ".xlsx"}) files << File(plan.name + format);
  const auto lines = Check(files);
  const std::map<std::string, QStringList> expected{
      {"month", {"-2,000", "Dec-27"}},
      {"year", {"-26,000", "2029"}},
      {"week", {"500", "Week 7"}},
  };
  for (const auto& [plan, texts] : expected) {
    for (const char* format : {".xls", ".xlsx"}) {
      const auto it = lines.find(plan + format);
      ASSERT_NE(it, lines.end()) << plan << format;
      EXPECT_EQ(it->second, texts) << plan << format;
    }
  }
}

// A large sale typed into December lifts December above November, which becomes the low.
TEST_F(CashOutlookInterop, ATypedNumberChangesTheLowestCash) {
  const auto lines = Check({"--edit", "Cash Sales", "O", "50000", File("month.xls"), File("month.xlsx")});
  for (const char* file : {"month.xls", "month.xlsx"}) {
    const auto it = lines.find(file);
    ASSERT_NE(it, lines.end()) << file;
    EXPECT_EQ(it->second, (QStringList{"-2,000", "Dec-27", "-1,000", "Nov-27"})) << file;
  }
}

TEST_F(CashOutlookInterop, TheXlsxHoldsOneLineChartOverTheCashPositionRow) {
  for (const Plan& plan : Plans()) {
    const auto out = ProgramOutput(kPython, {kCharts, File(plan.name + ".xlsx"), "Cash Position (end of month)"});
    ASSERT_TRUE(out) << plan.name;
    const QJsonObject read = QJsonDocument::fromJson(*out).object();
    const QString row = QString::number(read["row"].toInt());
    const QJsonArray charts = read["charts"].toArray();
    ASSERT_EQ(charts.size(), 1) << plan.name;
    EXPECT_EQ(charts[0]["kind"].toString(), "lineChart") << plan.name;
    const QJsonArray series = charts[0]["series"].toArray();
    ASSERT_EQ(series.size(), 1) << plan.name;
    const QString last = plan.name == "month" ? "O" : plan.name == "year" ? "F" : "K";
    EXPECT_EQ(series[0]["values"].toString(), "'CashFlow'!$D$" + row + ":$" + last + "$" + row) << plan.name;
    EXPECT_EQ(series[0]["categories"].toString(), "'CashFlow'!$D$4:$" + last + "$4") << plan.name;
  }
}

// The table's page stays one page; the chart follows on a second, and the picture of the
// sheet reaches down over the chart and shows its line.
TEST_F(CashOutlookInterop, ThePdfHasTheChartOnASecondPageAndThePictureShowsIt) {
  for (const Plan& plan : Plans()) {
    const auto info = ProgramOutput("pdfinfo", {File(plan.name + ".pdf")});
    ASSERT_TRUE(info) << plan.name;
    EXPECT_TRUE(info->contains("Pages:           2")) << plan.name << info->toStdString();
    const auto first = ProgramOutput("pdftotext", {"-f", "1", "-l", "1", File(plan.name + ".pdf"), "-"});
    const auto second = ProgramOutput("pdftotext", {"-f", "2", "-l", "2", File(plan.name + ".pdf"), "-"});
    ASSERT_TRUE(first && second) << plan.name;
    EXPECT_TRUE(first->contains("Lowest cash position")) << plan.name;
    EXPECT_TRUE(second->contains("Cash position")) << plan.name;
    EXPECT_FALSE(second->contains("Lowest cash position")) << plan.name;
  }
  const QImage picture(File("month.bmp"));
  ASSERT_FALSE(picture.isNull());
  int lineBelowTable = 0;  // pixels of the series' blue in the lower third, below the table
  for (int y = picture.height() * 2 / 3; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) lineBelowTable += picture.pixelColor(x, y) == QColor(0x44, 0x72, 0xC4);
  EXPECT_GT(lineBelowTable, 200);
}

}  // namespace
}  // namespace tallowmere::testing
