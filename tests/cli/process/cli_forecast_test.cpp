// tallowmere-cli generate with amounts: LibreOffice recalculates the .xls and the .xlsx and
// finds the amounts where the rules put them and the cash carried over; a refused amounts
// file writes nothing; and a plan without numbers writes the same files as before.
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
const char* const kHeader = "item,occurrence,amount,repeat,first,last,growth\r\n";

using Args = std::vector<std::string>;
using tallowmere::testing::ReadFile;
using tallowmere::testing::RunProgram;

struct Scenario {
  std::string name;
  std::string rules;  // lines after the header
  Args arguments;
};

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios{
      {"cash",
       "Cash Sales,1,5000,monthly,2027-01-01,,\r\nRent,1,6000,monthly,2027-01-01,,\r\n",
       {"--by-month", "2027", "2027", "--opening-cash", "10000"}},
      {"weekly", "Cash Sales,1,100,weekly,2027-01-04,,\r\n", {"--by-month", "2027", "2027"}},
      {"growth", "Cash Sales,1,1000,monthly,2027-01-01,,10\r\n", {"--by-year", "2027", "2028"}},
      {"weeks", "Rent,1,250,monthly,2027-01-15,,\r\n", {"--by-week", "8", "--week1", "2027-01-04"}},
  };
  return scenarios;
}

// A converted sheet: the cells of each row, by the row's name in column B.
std::map<std::string, std::vector<std::string>> RowsByName(const fs::path& csv) {
  std::map<std::string, std::vector<std::string>> rows;
  std::ifstream in(csv);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char c : line) {
      if (c == '"')
        quoted = !quoted;
      else if (c == ',' && !quoted)
        cells.emplace_back();
      else
        cells.back() += c;
    }
    if (cells.size() > 2 && !rows.count(cells[1])) rows[cells[1]] = cells;
  }
  return rows;
}

class CliForecast : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    work = fs::temp_directory_path() / ("tm-cli-forecast-" + std::to_string(::getpid()));
    fs::remove_all(work);
    for (const char* dir : {"cfg", "tmp", "out", "csv", "profile/user"}) fs::create_directories(work / dir);
    std::ofstream(work / "profile/user/registrymodifications.xcu") << R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema"
           xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
)";
    Args soffice{"soffice",
                 "-env:UserInstallation=file://" + (work / "profile").string(),
                 "--headless",
                 "--convert-to",
                 "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false",
                 "--outdir",
                 (work / "csv").string()};
    for (const Scenario& s : Scenarios()) {
      std::ofstream(work / (s.name + ".csv"), std::ios::binary) << kHeader << s.rules;
      for (const char* format : {"xls", "xlsx"}) {
        const fs::path out = work / "out" / (s.name + "_" + format + "." + format);
        Args arguments{"--amounts", (work / (s.name + ".csv")).string()};
        arguments.insert(arguments.end(), s.arguments.begin(), s.arguments.end());
        exitCodes[out.filename()] = Generate(out, arguments);
        soffice.push_back(out.string());
      }
    }
    RunProgram(soffice, {}, 300);
  }
  static void TearDownTestSuite() {
    if (!std::getenv("TM_KEEP_INTEROP")) fs::remove_all(work);
  }

  // Runs generate with the suite's empty settings; its exit status. What it printed on
  // stderr goes to out's name with ".err" added.
  static int Generate(const fs::path& out, const Args& arguments) {
    Args argv{kCli, "generate", "--out", out.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const auto run =
        RunProgram(argv, {{{"XDG_CONFIG_HOME", (work / "cfg").string()}, {"TEMP", (work / "tmp").string()}}, {}});
    std::ofstream(out.string() + ".err", std::ios::binary) << run.err;
    return run.exitCode;
  }

  // Each format's recalculated row of name, from column C (Pre-Startup EST) on.
  static std::map<std::string, std::vector<std::string>> Row(const std::string& scenario, const std::string& name) {
    std::map<std::string, std::vector<std::string>> rows;
    for (const char* format : {"xls", "xlsx"}) {
      const std::string file = scenario + "_" + format;
      EXPECT_EQ(exitCodes[file + "." + format], 0) << ReadFile(work / "out" / (file + "." + format + ".err"));
      const auto all = RowsByName(work / "csv" / (file + ".csv"));
      const auto it = all.find(name);
      rows[format] = it == all.end() ? std::vector<std::string>{}
                                     : std::vector<std::string>(it->second.begin() + 2, it->second.end());
    }
    return rows;
  }

  static inline fs::path work;
  static inline std::map<std::string, int> exitCodes;
};

TEST_F(CliForecast, LibreOfficeRecalculatesTheAmountsAndTheCash) {
  for (const auto& [format, cells] : Row("cash", "Cash Position (end of month)")) {
    ASSERT_GE(cells.size(), 13u) << format;
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(cells[k], std::to_string(10000 - 1000 * k)) << format << " month " << k;
  }
  for (const auto& [format, cells] : Row("cash", "Cash on Hand (beginning of month)"))
    EXPECT_EQ(cells.at(0), "10000") << format;
  for (const auto& [format, cells] : Row("weekly", "Cash Sales")) {
    ASSERT_GE(cells.size(), 4u) << format;
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 4),
              (std::vector<std::string>{"", "400", "400", "500"}))
        << format;
  }
  for (const auto& [format, cells] : Row("growth", "Cash Sales")) {
    ASSERT_GE(cells.size(), 3u) << format;
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 3),
              (std::vector<std::string>{"", "12000", "13200"}))
        << format;
  }
  for (const auto& [format, cells] : Row("weeks", "Rent")) {
    std::vector<std::string> expected(9);  // Pre-Startup EST and Week 1 to Week 8
    expected[2] = expected[7] = "250";
    std::vector<std::string> first(cells);
    first.resize(9);
    EXPECT_EQ(first, expected) << format;
  }
  for (const auto& [format, cells] : Row("weeks", "TOTAL CASH PAID OUT")) EXPECT_EQ(cells.at(2), "250") << format;
}

TEST_F(CliForecast, RefusedAmountsFileWritesNothing) {
  std::ofstream(work / "bad.csv", std::ios::binary)
      << kHeader << "Rent,1,6000,monthly,2027-01-01,,\r\nRent,1,6000,monthly,2027-13-01,,\r\n";
  const fs::path out = work / "out" / "refused.xls";
  EXPECT_EQ(Generate(out, {"--amounts", (work / "bad.csv").string()}), 2);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_NE(ReadFile(out.string() + ".err").find("line 3: \"2027-13-01\" is not a date"), std::string::npos);
  EXPECT_EQ(Generate(out, {"--opening-cash", "10,000"}), 2);
  EXPECT_EQ(Generate(out, {"--week1", "2027-02-30"}), 2);
  EXPECT_EQ(Generate(out, {"--minimum-cash", "-1"}), 2);
  EXPECT_FALSE(fs::exists(out));
}

// The files of a plan without numbers do not depend on the options for numbers: an empty
// amounts file, a Week 1 date and a minimum cash leave every byte of them as they are (the
// .xlsx and the PDF apart from the creation time they record).
TEST_F(CliForecast, PlanWithoutNumbersWritesTheSameFiles) {
  std::ofstream(work / "empty.csv", std::ios::binary) << kHeader;
  for (const char* extension : {"xls", "xlsx", "pdf"}) {
    for (const Args& mode : {Args{"--by-month", "2027", "2028"}, Args{"--by-week", "8"}}) {
      SCOPED_TRACE(extension + (" " + ::testing::PrintToString(mode)));
      const fs::path plain = work / "out" / (std::string("plain.") + extension);
      const fs::path empty = work / "out" / (std::string("empty.") + extension);
      Args plainArguments = mode, emptyArguments = mode;
      plainArguments.insert(plainArguments.end(), {"--picture", (work / "out/plain.bmp").string()});
      emptyArguments.insert(emptyArguments.end(),
                            {"--picture", (work / "out/empty.bmp").string(), "--amounts", (work / "empty.csv").string(),
                             "--week1", "2027-01-04", "--minimum-cash", "5000"});
      ASSERT_EQ(Generate(plain, plainArguments), 0);
      ASSERT_EQ(Generate(empty, emptyArguments), 0);
      EXPECT_EQ(ReadFile(work / "out/plain.bmp"), ReadFile(work / "out/empty.bmp"));
      // The .xlsx and the PDF record their time of writing; the script compares the rest.
      const auto same = RunProgram({tallowmere::testing::kPython, tallowmere::testing::TestScript("same_plan_files.py"),
                                    plain.string(), empty.string()});
      EXPECT_EQ(same.exitCode, 0) << same.err;
    }
  }
}

}  // namespace
