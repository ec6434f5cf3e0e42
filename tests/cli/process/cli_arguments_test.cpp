// tallowmere-cli's answers to help, bad arguments, refused parameters and item lists, and
// its picture command.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using tallowmere::testing::ProgramEnvironment;

const std::string kCli = TM_BINARY_DIR "/src/app/tallowmere-cli";
const std::string kWindowProgram = TM_BINARY_DIR "/src/app/tallowmere";

class CliArguments : public ::testing::Test {
 protected:
  void SetUp() override {
    // A space and quotes in every path: the arguments reach the program as they are.
    work = fs::temp_directory_path() / ("tm-cli args \"'-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(work);
    fs::create_directories(work / "cfg");
    fs::create_directories(work / "tmp");
    temp = work / "tmp";
  }
  void TearDown() override { fs::remove_all(work); }

  // Runs the command line with args; returns its exit status and keeps stdout and stderr.
  int Cli(const Args& args) { return Run(kCli, args); }
  int Run(const std::string& program, const Args& args) {
    Args argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    const tallowmere::testing::ProgramResult run = tallowmere::testing::RunProgram(argv, Environment());
    out = run.out;
    err = run.err;
    return run.exitCode;
  }
  // The runs' settings and TEMP folders, and a display: the offscreen one or none.
  ProgramEnvironment Environment() const {
    ProgramEnvironment environment{{{"XDG_CONFIG_HOME", (work / "cfg").string()}, {"TEMP", temp.string()}}, {}};
    if (withoutDisplay)
      environment.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    else
      environment.set["QT_QPA_PLATFORM"] = "offscreen";
    return environment;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string Path(const std::string& name) const { return (work / name).string(); }
  // An item list of extra names, then the reserved items.
  void WriteItems(const std::string& name, const std::string& extra) const {
    std::ofstream(work / name) << extra
                               << "Cash on Hand (beginning of month)\nCash Sales\nTOTAL CASH RECEIPTS\n"
                                  "Total Cash Available (before cash out)\nPurchases (merchandise)\nSUBTOTAL\n"
                                  "TOTAL CASH PAID OUT\nCash Position (end of month)\n";
  }

  fs::path work;
  fs::path temp;                // TEMP of the runs
  bool withoutDisplay = false;  // the runs see no display at all
  std::string out, err;
};

TEST_F(CliArguments, HelpAndBadArguments) {
  EXPECT_EQ(Cli({"--help"}), 0);
  EXPECT_NE(out.find("tallowmere-cli generate --out FILE"), std::string::npos);
  EXPECT_NE(out.find("tallowmere-cli picture IN.xls OUT.bmp"), std::string::npos);
  EXPECT_EQ(Cli({"picture", "--help"}), 0);
  EXPECT_EQ(out.find("generate --out"), std::string::npos);

  const Args bad[] = {{},
                      {"frobnicate"},
                      {"generate"},
                      {"generate", "--out"},
                      {"generate", "--out", "x.xls", "--by-week"},
                      {"generate", "--out", "x.xls", "--by-year", "2013"},
                      {"generate", "--out", "x.xls", "--by-week", "3", "--by-year", "1", "2"},
                      {"generate", "--out", "x.xls", "--colour", "red"},
                      {"picture", "only-one.xls"},
                      {"generate", "--out", "x.xls", "--amounts"},
                      {"generate", "--out", "x.xls", "--opening-cash"},
                      {"generate", "--out", "x.xls", "--week1"}};
  for (const Args& args : bad) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(Cli(args), 2);
    EXPECT_NE(err.find("Usage: tallowmere-cli"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(work / "x.xls"));
}

// Without any display, too.
TEST_F(CliArguments, BothProgramsTellTheirVersionAndHelp) {
  withoutDisplay = true;
  for (const std::string& program : {kCli, kWindowProgram}) {
    EXPECT_EQ(Run(program, {"--version"}), 0) << program;
    EXPECT_EQ(out, fs::path(program).filename().string() + " " TM_VERSION "\n") << program;
    EXPECT_EQ(Run(program, {"--help"}), 0) << program;
    EXPECT_NE(out.find("--version"), std::string::npos) << out;
  }
  EXPECT_EQ(Cli({"--version", "generate"}), 2);
  // An option neither the program's nor the toolkit's is refused once the toolkit has
  // taken its own, which needs the display.
  withoutDisplay = false;
  EXPECT_EQ(Run(kWindowProgram, {"--no-such-option"}), 1);
  EXPECT_NE(err.find("no-such-option"), std::string::npos) << err;
}

// The command line links no GUI toolkit, so that it runs where none is installed.
TEST(CliLinking, NoQtLibraryIsLoaded) {
  if (!tallowmere::testing::HaveProgram("ldd")) GTEST_SKIP() << "ldd is not installed";
  const tallowmere::testing::ProgramResult libraries = tallowmere::testing::RunProgram({"ldd", kCli});
  ASSERT_TRUE(libraries.Succeeded()) << libraries.err;
  EXPECT_NE(libraries.out.find("libharfbuzz"), std::string::npos) << libraries.out;  // the list is the program's
  EXPECT_EQ(libraries.out.find("libQt"), std::string::npos) << libraries.out;
}

// The toolkit's own options reach the toolkit: the window comes up and the program ends
// normally. -platform names the display the runs use; the others work on any.
TEST_F(CliArguments, WindowProgramLeavesTheToolkitOptionsToTheToolkit) {
  const Args options[] = {{"-platform", "offscreen"},
                          {"-style", "Fusion"},
                          {"-reverse"},
                          {"-session", "tm-session-1"},
                          {"-reverse", "-style", "Fusion"}};
  for (Args args : options) {
    SCOPED_TRACE(::testing::PrintToString(args));
    args.push_back("--quit-when-shown");
    EXPECT_EQ(Run(kWindowProgram, args), 0) << err;
    EXPECT_EQ(err.find("Unknown option"), std::string::npos) << err;
  }
}

// Refused requests: exit status 2, the reason on stderr, no output and nothing in TEMP.
// The start check's messages come first; By Month checks its own years, with the span
// of ten.
TEST_F(CliArguments, RefusedRequestsSayWhyAndWriteNothing) {
  std::ofstream(work / "empty.txt") << "\r\n\n";
  std::ofstream(work / "short.txt") << "Cash on Hand (beginning of month)\nRent\n";
  std::ofstream(work / "long.txt") << std::string(32768, 'x') << "\n";
  std::ofstream(work / "cfg" / "stored.conf") << "[Tallowmere]\nIsYear=False\nIsMonth=False\nWeeks=100000\n";
  const struct {
    const char* out;
    Args arguments;
    const char* message;
  } cases[] = {
      {"a.xls", {"--by-year", "2020", "2019"}, "Start year can't be greater then end year."},
      {"a.xls", {"--by-month", "2013", "2024"}, "by more then 10 years in Month mode."},
      {"a.xls", {"--by-week", "101"}, "Week number can't be greater then 100."},
      {"a.xls", {"--by-year", "1969", "1980"}, "Year can't be less then 1970."},
      {"a.ods", {}, "--out takes a file ending in .xls, .xlsx or .pdf"},
      {"a.csv", {}, "--out takes a file ending in .xls, .xlsx or .pdf"},
      {"a", {}, "--out takes a file ending in .xls, .xlsx or .pdf"},
      {"a.xls.txt", {}, "--out takes a file ending in .xls, .xlsx or .pdf"},
      {"a.xls", {"--items", Path("missing.txt")}, "missing.txt"},
      {"a.xls", {"--items", Path("empty.txt")}, "holds no names"},
      {"a.xls", {"--items", Path("short.txt")}, "has no item named \"Cash Sales\""},
      {"a.xls", {"--items", Path("long.txt")}, "holds a name longer than 32767 characters"},
      {"a.xls", {"--company", std::string(32768, 'x')}, "company name is longer than 32767 characters"},
      {"a.xls", {"--by-month", "1969", "1970"}, "Year can't be less then 1970."},
      {"a.xls", {"--by-month", "2147483648", "2147483648"}, "Year can't be less then 1970."},
      {"a.xls", {"--picture", Path("a.xls")}, "--out and --picture name the same file"},
      {"a.xls", {"--picture", ""}, "--picture needs a file name"},
      {"a.xls", {"STORED"}, "100000 (stored): Week number can't be greater then 100."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out + (" " + ::testing::PrintToString(c.arguments)));
    const bool stored = c.arguments == Args{"STORED"};
    if (stored) fs::rename(work / "cfg" / "stored.conf", work / "cfg" / "Quenwick.conf");
    Args args{"generate", "--out", Path(c.out)};
    if (!stored) args.insert(args.end(), c.arguments.begin(), c.arguments.end());
    EXPECT_EQ(Cli(args), 2);
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(work / c.out));
  }
  EXPECT_TRUE(fs::is_empty(work / "tmp"));
}

// The company's umbrella comes from a second face in the picture and on the page.
TEST_F(CliArguments, StoredParametersApplyAndAreNotWritten) {
  std::ofstream(work / "cfg" / "Quenwick.conf")
      << "[Tallowmere]\nCompany=Stored Co \u2602\nIsYear=True\nIsMonth=False\nYear=2015\nYear1=2016\n";
  const auto before = fs::last_write_time(work / "cfg" / "Quenwick.conf");
  EXPECT_EQ(Cli({"generate", "--out", Path("a.xls")}), 0) << err;
  EXPECT_EQ(Cli({"generate", "--out", Path("a.pdf")}), 0) << err;
  EXPECT_EQ(fs::last_write_time(work / "cfg" / "Quenwick.conf"), before);
  EXPECT_EQ(Cli({"picture", Path("a.xls"), Path("a.bmp")}), 0) << err;
  EXPECT_EQ(Read(work / "a.bmp").substr(0, 2), "BM");
  EXPECT_TRUE(fs::is_empty(work / "tmp"));
}

// The picture reaches --picture by a rename where TEMP shares its file system, else by a
// copy; either way it replaces an older picture whole and nothing stays in TEMP.
TEST_F(CliArguments, PictureReachesItsPlaceFromAnyTemporaryFolder) {
  std::ofstream(work / "p.bmp") << "an older picture";
  ASSERT_EQ(Cli({"generate", "--out", Path("a.xls"), "--picture", Path("p.bmp")}), 0) << err;
  const std::string moved = Read(work / "p.bmp");
  EXPECT_EQ(moved.substr(0, 2), "BM");
  EXPECT_TRUE(fs::is_empty(temp));
  std::error_code ec;
  temp = fs::path("/dev/shm") / work.filename();
  if (!fs::create_directories(temp, ec) || fs::status(temp).type() != fs::file_type::directory)
    GTEST_SKIP() << "no second file system for TEMP";
  std::ofstream(work / "p.bmp") << "an older picture";
  const bool copied = Cli({"generate", "--out", Path("b.xls"), "--picture", Path("p.bmp")}) == 0;
  const bool emptied = fs::is_empty(temp);
  fs::remove_all(temp);
  EXPECT_TRUE(copied) << err;
  EXPECT_TRUE(emptied);
  EXPECT_EQ(Read(work / "p.bmp"), moved);
}

// Without a temporary folder to work in the run writes nothing and says where it failed.
TEST_F(CliArguments, MissingTemporaryFolderFailsAndWritesNothing) {
  temp = work / "absent";
  EXPECT_EQ(Cli({"generate", "--out", Path("a.xls")}), 1);
  EXPECT_NE(err.find("Cannot create a folder in " + temp.string()), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(work / "a.xls"));
  EXPECT_FALSE(fs::exists(temp));
}

// An item the engine refuses stops the layout of the sheet: the run reports it and keeps
// the older workbook and picture rather than replacing them with half a sheet.
TEST_F(CliArguments, HalfASheetReplacesNoOlderFile) {
  WriteItems("items.txt", "Rent\n=NOSUCHFUNCTION(1)\nInsurance\n");
  std::ofstream(work / "a.xls") << "older plan";
  std::ofstream(work / "a.bmp") << "older picture";
  EXPECT_EQ(Cli({"generate", "--items", Path("items.txt"), "--out", Path("a.xls"), "--picture", Path("a.bmp")}), 1);
  EXPECT_NE(err.find("the sheet could not be laid out whole"), std::string::npos) << err;
  EXPECT_EQ(Read(work / "a.xls"), "older plan");
  EXPECT_EQ(Read(work / "a.bmp"), "older picture");
  EXPECT_TRUE(fs::is_empty(temp));
}

// True once a folder inside temp holds an entry: the run's private folder, registered for
// removal on an interrupt before anything is put into it.
bool PrivateFolderInUse(const fs::path& temp) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(temp, ec))
    if (entry.is_directory() && !fs::is_empty(entry.path(), ec)) return true;
  return false;
}

// A run ended by a signal halfway takes its temporary folder and half-made files with it;
// the older files stay. The signal goes out once the run is working in its private folder,
// and the run must end by that signal, not by finishing first.
TEST_F(CliArguments, InterruptedRunLeavesNothingBehind) {
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "Item " + std::to_string(i) + "\n";
  WriteItems("items.txt", many);
  fs::create_directories(work / "out");
  std::ofstream(work / "out" / "a.xlsx") << "older plan";
  std::ofstream(work / "out" / "a.bmp") << "older picture";
  const pid_t run =
      tallowmere::testing::StartProgram({kCli, "generate", "--by-week", "100", "--items", Path("items.txt"), "--out",
                                         Path("out/a.xlsx"), "--picture", Path("out/a.bmp")},
                                        Environment(), Path("stdout"), Path("stderr"));
  ASSERT_GT(run, 0);
  int status = 0;
  bool ended = false;
  for (int wait = 0; wait < 60000 && !PrivateFolderInUse(temp); ++wait) {
    if ((ended = ::waitpid(run, &status, WNOHANG) == run)) break;
    ::usleep(1000);
  }
  if (!ended) {
    ::kill(run, SIGTERM);
    ASSERT_EQ(::waitpid(run, &status, 0), run);
  }
  ASSERT_FALSE(ended) << "the run ended before it was signalled: " << Read(work / "stderr");
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status << Read(work / "stderr");
  EXPECT_TRUE(fs::is_empty(temp));
  EXPECT_EQ(Read(work / "out" / "a.xlsx"), "older plan");
  EXPECT_EQ(Read(work / "out" / "a.bmp"), "older picture");
  EXPECT_EQ(std::distance(fs::directory_iterator(work / "out"), fs::directory_iterator()), 2);
}

TEST_F(CliArguments, PictureOfAnUnreadableFileFails) {
  std::ofstream(work / "junk.xls") << "not a workbook";
  ASSERT_EQ(::mkfifo(Path("pipe.xls").c_str(), 0600), 0);
  for (const char* in : {"pipe.xls", "tmp"}) {
    EXPECT_EQ(Cli({"picture", Path(in), Path("j.bmp")}), 1) << in;
    EXPECT_NE(err.find("Cannot open"), std::string::npos) << err;
  }
  EXPECT_EQ(Cli({"picture", Path("junk.xls"), Path("junk.xls")}), 2);
  EXPECT_EQ(Read(work / "junk.xls"), "not a workbook");
  EXPECT_EQ(Cli({"picture", Path("junk.xls"), Path("j.bmp")}), 1);
  EXPECT_FALSE(err.empty());
  EXPECT_FALSE(fs::exists(work / "j.bmp"));
  EXPECT_EQ(Cli({"picture", Path("absent.xls"), Path("j.bmp")}), 1);
  EXPECT_TRUE(fs::is_empty(work / "tmp"));
}

}  // namespace
