// The automation link: checks against the installation, file format, picture export.
#include "sheet/automation_link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/error_report.h"
#include "support/failing_file_system.h"
#include "support/recording_application.h"
#include "support/scripted_dialogs.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

TEST(AutomationLink, RunningInstanceQuestionOnlyForTheSpreadsheetApplication) {
  RecordingFactory factory;
  ScriptedDialogs dialogs;
  EXPECT_FALSE(ConfirmIfSpreadsheetAppOpen(factory, dialogs));  // none running
  factory.runningName = "Some Other Program";
  EXPECT_FALSE(ConfirmIfSpreadsheetAppOpen(factory, dialogs));
  EXPECT_TRUE(dialogs.messages.empty());

  factory.runningName = "Microsoft Excel";
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::No};
  EXPECT_FALSE(ConfirmIfSpreadsheetAppOpen(factory, dialogs));
  EXPECT_TRUE(ConfirmIfSpreadsheetAppOpen(factory, dialogs));
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].text,
            "Excel may be open. It is recommended that you close Excel first.\r\n\r\n"
            "Would you like to proceed anyway?");
  EXPECT_EQ(dialogs.messages[0].title, "Tallowmere");
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
  EXPECT_TRUE(factory.log.Find("Quit").empty());  // the attached instance is not quit
}

TEST(AutomationLink, InstallationCheckShowsFiveParagraphsWhenNothingCanBeCreated) {
  RecordingFactory factory;
  ScriptedDialogs dialogs;
  EXPECT_TRUE(CheckSpreadsheetAppInstalled(factory, dialogs));
  EXPECT_TRUE(dialogs.messages.empty());
  factory.failCreate = true;
  EXPECT_FALSE(CheckSpreadsheetAppInstalled(factory, dialogs));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const std::string& text = dialogs.messages[0].text;
  EXPECT_EQ(text.rfind("Error 842001. A normal instance of Excel could not be created.\r\n\r\n"
                       "1. Please make sure Excel is installed on this computer.\r\n\r\n2. Please open Excel",
                       0),
            0u);
  EXPECT_NE(text.find("recovery window).\r\n\r\n3. Please make sure that when you double-click on a XLS or XLSX "
                      "file that Excel opens normally without any interrupting messages.\r\n\r\n4. All versions"),
            std::string::npos);
  EXPECT_TRUE(text.ends_with("except for the rare Excel Starter and Student editions."));
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
}

TEST(AutomationLink, FileFormatFromVersionInEitherDecimalLocale) {
  for (char separator : {'.', ','}) {
    EXPECT_EQ(FileFormatForVersion("11.0", separator), -4143) << separator;
    EXPECT_EQ(FileFormatForVersion("12.0", separator), 56) << separator;
    EXPECT_EQ(FileFormatForVersion("16.0", separator), 56) << separator;
    EXPECT_EQ(FileFormatForVersion("11,0", separator), -4143) << separator;
    EXPECT_EQ(FileFormatForVersion("11.5", separator), 56) << separator;  // halves to even: 12
    EXPECT_EQ(FileFormatForVersion("12.5", separator), 56) << separator;
    EXPECT_EQ(FileFormatForVersion("11.4", separator), -4143) << separator;
  }
  EXPECT_EQ(ToLocaleDecimal("1.2,3", ','), "1,2,3");
  EXPECT_THROW(FileFormatForVersion("40000.0", '.'), std::overflow_error);

  RecordingFactory factory;
  factory.options.version = "11.0";
  EXPECT_EQ(WorkbookFileFormat(factory, nullptr), -4143);
  EXPECT_EQ(factory.log.calls, (std::vector<std::string>{"CreateObject", "Quit"}));
  factory.options.version = "16.0";
  auto app = factory.Create();
  EXPECT_EQ(WorkbookFileFormat(factory, app.get()), 56);
}

class PictureExport : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("tm-sheet-picture-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    path = (folder / "temp.bmp").string();
    factory.options.clipboard = &clipboard;
  }
  void TearDown() override { fs::remove_all(folder); }
  bool Export(bool withWorkbook = true) {
    auto app = factory.Create();
    auto book = app->GetWorkbooks().Add();
    return saveCellsActivesheet(withWorkbook ? book.get() : nullptr, path, clipboard, dialogs, files);
  }
  std::vector<int> ReportedLines() const {
    std::vector<int> lines;
    for (const auto& message : dialogs.messages) {
      const size_t at = message.text.find("saveCellsActivesheet at line ");
      if (at != std::string::npos) lines.push_back(std::stoi(message.text.substr(at + 29)));
    }
    return lines;
  }

  fs::path folder;
  std::string path;
  InProcessClipboard clipboard;
  RecordingFactory factory;
  ScriptedDialogs dialogs;
  FailingFileSystem files;
};

TEST_F(PictureExport, WritesTheCopiedPicture) {
  EXPECT_TRUE(Export());
  ASSERT_TRUE(fs::exists(path));
  EXPECT_EQ(fs::file_size(path), RecordedPictureBytes().size());
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(clipboard.GetPicture(0), nullptr) << "the written picture is let go";
}

TEST_F(PictureExport, NothingForASingleRowOrColumn) {
  factory.options.usedRows = 1;
  EXPECT_FALSE(Export());
  factory.options.usedRows = 5;
  factory.options.usedColumns = 1;
  EXPECT_FALSE(Export());
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(factory.log.Count("UsedRange.CopyPicture"), 0u);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PictureExport, FailedCopyIsReportedAndNoOlderPictureIsWritten) {
  clipboard.SetPicture(std::make_shared<const PictureBytes>(PictureBytes{'o', 'l', 'd'}));
  factory.log.failingPrefixes = {"UsedRange.CopyPicture"};
  Export();
  EXPECT_FALSE(fs::exists(path));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("in Brindlecast2021/08/31.Excel1.saveCellsActivesheet at line 110"),
            std::string::npos);
  EXPECT_EQ(dialogs.messages[0].title, "Application Error");
}

// Whichever file operation fails (creating, writing or renaming the new picture), the
// failure is reported at line 112 and no torn picture takes the place of the old file.
TEST_F(PictureExport, FailedWriteIsReportedAndLeavesTheOlderFileWhole) {
  for (int failing = 1; failing <= 3; ++failing) {
    SCOPED_TRACE(failing);
    std::ofstream(path, std::ios::binary) << "older picture";
    files.operations.clear();
    files.failAt = failing;
    dialogs.messages.clear();
    EXPECT_FALSE(Export());
    EXPECT_EQ(ReportedLines(), std::vector<int>{112});
    EXPECT_EQ(clipboard.GetPicture(0), nullptr);
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "older picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  }
}

TEST_F(PictureExport, WithoutAWorkbookEachStepReportsItsOwnFailure) {
  EXPECT_FALSE(Export(false));
  EXPECT_EQ(ReportedLines(), (std::vector<int>{100, 102, 104}));
  EXPECT_FALSE(fs::exists(path));
}

class FlakyClipboard : public PictureClipboard {
 public:
  explicit FlakyClipboard(int failures) : failures_(failures) {}
  void SetPicture(SharedPicture) override {}
  SharedPicture GetPicture(int) override {
    ++reads;
    if (reads <= failures_) {
      if (reads % 2) throw std::runtime_error("busy");
      return nullptr;
    }
    return std::make_shared<const PictureBytes>(PictureBytes{1, 2, 3});
  }
  int reads = 0;

 private:
  int failures_;
};

TEST(AutomationLink, ClipboardIsReadUpToAThousandTimes) {
  FlakyClipboard late(999);
  EXPECT_NE(PictureFromClipboard(late, 0), nullptr);
  EXPECT_EQ(late.reads, 1000);
  FlakyClipboard never(5000);
  EXPECT_EQ(PictureFromClipboard(never, 0), nullptr);
  EXPECT_EQ(never.reads, 1000);
}

TEST(AutomationLink, LinkHoldsOneInstanceAndNewAppsOpenTheirFile) {
  RecordingFactory factory;
  SpreadsheetLink link(factory);
  EXPECT_THROW(link.SpreadsheetApp(), AutomationError);
  link.CreateSpreadsheetApp();
  EXPECT_NO_THROW(link.SpreadsheetApp());
  link.ReleaseSpreadsheetApp();
  EXPECT_FALSE(link.HasSpreadsheetApp());
  EXPECT_TRUE(factory.log.Find("Quit").empty());

  auto app = OpenWorkbookInNewApp(factory, "/tmp/x.xls");
  EXPECT_EQ(app->GetWorkbooks().Count(), 1);
  factory.log.failingPrefixes = {"Workbooks.Open"};
  EXPECT_THROW(OpenWorkbookInNewApp(factory, "/tmp/y.xls"), AutomationError);
  EXPECT_EQ(factory.log.calls.back(), "Quit");  // the failed instance is not left running
}

}  // namespace
}  // namespace tallowmere::testing
