// The report driver on the recording object model: steps, their line numbers, temporary
// names and the hand-over to the host.
#include "sheet/report_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "support/scripted_dialogs.h"
#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

class RecordingHost : public ReportHost {
 public:
  void SetMainPointer(PointerKind kind) override {
    calls.push_back("Pointer=" + std::to_string(static_cast<int>(kind)));
  }
  void LoadPreviewPicture(const std::string& path) override {
    calls.push_back("LoadPicture");
    if (!fs::exists(path)) throw std::runtime_error("File not found");
    pictureSeen = true;
  }
  void SetPreviewWorkbook(const std::string& path) override { calls.push_back("Workbook=" + path); }
  void ShowPreview() override { calls.push_back("ShowPreview"); }
  void HideMainWindow() override { calls.push_back("HideMain"); }
  // The picture is still there while the windows' pending events run.
  void RunPendingEvents() override {
    calls.push_back(std::string("PendingEvents") + (fs::exists(pictureFolder / "temp.bmp") ? "+picture" : ""));
  }
  fs::path pictureFolder;
  std::vector<std::string> calls;
  bool pictureSeen = false;
};

class ReportDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("tm-sheet-driver-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
    factory.options.clipboard = &clipboard;
    host.pictureFolder = folder;
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Run() {
    const ReportEnvironment env{factory, dialogs, clipboard, LocalFileSystem(), folder.string(), digits};
    outcome = GenerateReport0(env, tmpl.model, ByMonth("2013", "2013"), host);
    return outcome.workbookPath;
  }
  std::vector<int> ReportedLines() const {
    std::vector<int> lines;
    const std::regex line("GenerateReport0 at line (\\d+)");
    for (const auto& m : dialogs.messages) {
      std::smatch match;
      if (std::regex_search(m.text, match, line)) lines.push_back(std::stoi(match[1]));
    }
    return lines;
  }

  fs::path folder;
  InProcessClipboard clipboard;
  RecordingFactory factory;
  ScriptedDialogs dialogs;
  RecordingHost host;
  Template tmpl;
  DigitSource digits;
  ReportOutcome outcome;
};

TEST_F(ReportDriver, RunsEveryStepAndHandsOverToThePreview) {
  const std::string path = Run();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(std::regex_match(fs::path(path).filename().string(), std::regex("vormid[1-9]{8}\\.xls")));
  EXPECT_EQ(fs::path(path).parent_path(), folder);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_FALSE(fs::exists(folder / "temp.bmp"));
  EXPECT_TRUE(host.pictureSeen);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Pointer=11", "Pointer=0", "LoadPicture", "Workbook=" + path,
                                                  "ShowPreview", "HideMain", "PendingEvents+picture"}));
  const auto& log = factory.log;
  const std::vector<std::string> start{
      "CreateObject",      "Visible=False", "ScreenUpdating=False", "DisplayAlerts=False",    "EnableEvents=False",
      "EnableCancelKey=0", "Cursor=2",      "Workbooks.Add",        "Sheets(1).Name=CashFlow"};
  EXPECT_EQ(std::vector<std::string>(log.calls.begin(), log.calls.begin() + start.size()), start);
  const long save = log.IndexOf("Workbook.SaveAs(" + path + ",56)");
  ASSERT_GT(save, 0);
  const std::vector<std::string> end{"Workbook.SaveAs(" + path + ",56)",
                                     "DisplayAlerts=False",
                                     "Workbook.Close",
                                     "Quit",
                                     "CreateObject",
                                     "Workbooks.Open(" + path + ")",
                                     "UsedRange.CopyPicture",
                                     "DisplayAlerts=False",
                                     "Workbook.Close",
                                     "Quit"};
  EXPECT_EQ(std::vector<std::string>(log.calls.begin() + save, log.calls.end()), end);
  EXPECT_EQ(std::vector<std::string>(log.calls.begin() + save - 7, log.calls.begin() + save),
            (std::vector<std::string>{"Range(C5).Select", "Sheets(1).Select", "Cursor=-4143", "ScreenUpdating=True",
                                      "DisplayAlerts=True", "EnableEvents=True", "EnableCancelKey=1"}));
}

TEST_F(ReportDriver, WithoutThePictureNoSecondInstanceIsStarted) {
  ReportEnvironment env{factory, dialogs, clipboard, LocalFileSystem(), folder.string(), digits};
  env.exportPicture = false;
  const std::string path = GenerateReport0(env, tmpl.model, ByMonth("2013", "2013"), host).workbookPath;
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(factory.log.Count("CreateObject"), 1u);
  EXPECT_EQ(factory.log.Count("UsedRange.CopyPicture"), 0u);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Workbook=" + path, "ShowPreview", "HideMain"}));
}

TEST_F(ReportDriver, KeepsOnlyTheFirstOfThreeSheets) {
  factory.options.sheetsInNewWorkbook = 3;
  Run();
  const auto& log = factory.log;
  EXPECT_EQ(log.Count("Sheets(2).Delete"), 2u);
  EXPECT_EQ(log.Count("Sheets(1).Name=CashFlow"), 1u);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReportDriver, DrawsAnotherNameWhileTheNameIsTaken) {
  const std::string taken = "11111111", fresh = "23456789";
  std::string sequence = taken + taken + fresh;
  size_t next = 0;
  digits = [&] { return sequence[next++] - '0'; };
  fs::create_directories(folder);
  { std::ofstream(folder / "vormid11111111.xls") << "someone else's"; }
  const std::string path = Run();
  EXPECT_EQ(fs::path(path).filename(), "vormid23456789.xls");
  EXPECT_EQ(next, 24u);
  std::ifstream kept(folder / "vormid11111111.xls");
  std::string content;
  std::getline(kept, content);
  EXPECT_EQ(content, "someone else's");
}

TEST_F(ReportDriver, OlderVersionsSaveInTheirNormalFormat) {
  factory.options.version = "11.0";
  const std::string path = Run();
  EXPECT_EQ(factory.log.Count("Workbook.SaveAs(" + path + ",-4143)"), 1u);
}

TEST_F(ReportDriver, CreationFailureIsReportedStepByStepAndThePreviewStillShows) {
  factory.failCreate = true;
  const std::string path = Run();
  const std::vector<int> lines = ReportedLines();
  const std::vector<int> expected{104, 106, 108, 110, 112, 114, 116, 120, 122, 126, 128, 130, 132, 134,
                                  136, 138, 140, 142, 160, 162, 164, 166, 170, 174, 178, 180, 182, 186};
  EXPECT_EQ(lines, expected);
  // Without a workbook the picture export reports the failures of its own steps.
  const auto exportReport = std::find_if(dialogs.messages.begin(), dialogs.messages.end(), [](const auto& m) {
    return m.text.find("saveCellsActivesheet at line 100") != std::string::npos;
  });
  EXPECT_NE(exportReport, dialogs.messages.end());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Pointer=11", "Pointer=0", "LoadPicture", "Workbook=" + path,
                                                  "ShowPreview", "HideMain", "PendingEvents"}));
  EXPECT_EQ(dialogs.messages[0].text.rfind("ActiveX component can't create object\r\n"
                                           "in Brindlecast2021/08/31.TwelveMonthCashFlowS.GenerateReport0 at line 104",
                                           0),
            0u);
}

TEST_F(ReportDriver, LayoutFailureIsReportedAtLine128AndThePartSheetIsSaved) {
  factory.log.failingPrefixes = {"Range(B4:"};
  const std::string path = Run();
  EXPECT_EQ(ReportedLines(), std::vector<int>{128});
  EXPECT_EQ(factory.log.Count("Workbook.SaveAs(" + path), 1u);
  EXPECT_EQ(factory.log.Count("PageSetup."), 0u);
}

TEST_F(ReportDriver, MissingTempFolderIsReportedOnceAndDoesNotLoop) {
  const fs::path missing = folder / "absent";
  ReportEnvironment env{factory, dialogs, clipboard, LocalFileSystem(), missing.string()};
  GenerateReport0(env, tmpl.model, ByWeek("3"), host);
  // No name could be claimed, so nothing is saved, opened or pictured. The folder's
  // failure is reported once, naming it; no report of a name problem follows.
  EXPECT_EQ(ReportedLines(), (std::vector<int>{158, 170, 174, 178, 180, 182, 186}));
  EXPECT_NE(dialogs.messages[0].text.find(missing.string()), std::string::npos) << dialogs.messages[0].text;
  for (const auto& message : dialogs.messages) EXPECT_EQ(message.text.find("No free name"), std::string::npos);
  EXPECT_EQ(factory.log.Count("Workbook.SaveAs"), 0u);
}

// The steps that report when the report's save failed: there is no workbook to picture.
const std::vector<int> kNothingSaved{160, 170, 174, 178, 180, 182, 186};

TEST_F(ReportDriver, WhenEveryNameIsTakenNothingIsSavedOverAnotherFile) {
  digits = [] { return 1; };
  { std::ofstream(folder / "vormid11111111.xls") << "someone else's"; }
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(ReportedLines(), kNothingSaved);
  EXPECT_EQ(factory.log.Count("Workbook.SaveAs"), 0u);
  std::ifstream kept(folder / "vormid11111111.xls");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "someone else's");
  EXPECT_EQ(host.calls[3], "Workbook=");
}

TEST_F(ReportDriver, FailedSaveLeavesNoPlaceholderAndNoWorkbookToCopy) {
  factory.log.failingPrefixes = {"Workbook.SaveAs"};
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(ReportedLines(), kNothingSaved);
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(host.calls[3], "Workbook=");
}

TEST_F(ReportDriver, OnlyAPictureWrittenByThisReportIsShown) {
  { std::ofstream(folder / "temp.bmp") << "an earlier report's picture"; }
  factory.options.usedRows = 1;  // no picture is made
  Run();
  EXPECT_EQ(ReportedLines(), std::vector<int>{186});
  EXPECT_FALSE(host.pictureSeen);
}

// The outcome tells a failure in making the sheet from one after it, when the workbook
// holds the whole sheet.
struct OutcomeCase {
  const char* name;
  std::vector<std::string> failingPrefixes;
  bool saved;
  bool anyStepFailed;
  bool sheetWhole;
};

class ReportOutcomes : public ReportDriver, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(ReportOutcomes, SayWhatHappened) {
  factory.log.failingPrefixes = GetParam().failingPrefixes;
  const std::string path = Run();
  EXPECT_EQ(outcome.workbookPath.empty(), !GetParam().saved) << path;
  EXPECT_EQ(outcome.anyStepFailed, GetParam().anyStepFailed);
  EXPECT_EQ(outcome.sheetWhole, GetParam().sheetWhole);
}

INSTANTIATE_TEST_SUITE_P(Steps, ReportOutcomes,
                         ::testing::Values(OutcomeCase{"Clean", {}, true, false, true},
                                           OutcomeCase{"Layout", {"Range(B4:"}, true, true, false},
                                           OutcomeCase{"Preparation", {"Cursor=2"}, true, true, false},
                                           OutcomeCase{"Restore", {"EnableEvents=True"}, true, true, true},
                                           OutcomeCase{"Save", {"Workbook.SaveAs"}, false, true, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(TemporaryWorkbook, StemsAreVormidAndEightDigitsFromOneToNine) {
  int n = 0;
  EXPECT_EQ(DrawWorkbookStem([&] { return ++n; }), "vormid12345678");
  const DigitSource random = RandomDigits();
  for (int i = 0; i < 200; ++i) {
    const int d = random();
    EXPECT_GE(d, 1);
    EXPECT_LE(d, 9);
  }
}

}  // namespace
}  // namespace tallowmere::testing
