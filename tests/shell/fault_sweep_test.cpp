// Every failure a report can meet, one at a time: each call of the object model and each
// file operation of a report and of saving its copy fails in turn, and the program stays
// honest about it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "engine/application/application.h"
#include "preview/picture_box.h"
#include "shell/form1.h"
#include "shell/preview_hand_over.h"
#include "support/failing_application.h"
#include "support/failing_file_system.h"
#include "support/memory_settings_store.h"
#include "support/scripted_dialogs.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

// The main window and the preview over the built-in engine, with the object model and
// the file system wrapped so that any one call or operation can fail.
class FaultSweep : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid() && elsewhere.isValid());
    form = std::make_unique<Form1>(
        Form1Services{dialogs, store, factory, clipboard, files, "", temp.path().toStdString(), [] {}});
    handOver = std::make_unique<PreviewHandOver>(*form, Form2Services{dialogs, files, factory, ""}, [] {});
    form->SetReportHost(handOver.get());
    ASSERT_TRUE(form->Form_Load());
    form->SetMode(PeriodMode::Month);  // By Month, this year
    form->show();
  }
  void TearDown() override {
    handOver.reset();
    form.reset();
  }

  // Starts a report as the Start button does; the preview stays up.
  void Report() {
    dialogs.messages.clear();
    form->PushButton22_Click();
  }
  Form2& Preview() { return *handOver->Preview(); }
  QImage Shown() { return Preview().findChild<PictureBox*>("Picture1")->Image(); }
  void Click(const char* button) { Preview().findChild<QPushButton*>(button)->click(); }
  bool TempIsEmpty() const { return fs::is_empty(temp.path().toStdString()); }

  // Error reports shown since the last report started, as "procedure line".
  std::vector<std::string> Reports() const {
    static const std::regex location(R"(in Brindlecast2021/08/31\.[A-Za-z0-9]+\.(\w+) at line (\d+))");
    std::vector<std::string> found;
    for (const ShownMessage& message : dialogs.messages) {
      std::smatch match;
      if (message.title == "Application Error" && std::regex_search(message.text, match, location))
        found.push_back(match[1].str() + " " + match[2].str());
    }
    return found;
  }
  bool DoneShown() const {
    return std::any_of(dialogs.messages.begin(), dialogs.messages.end(), [](auto& m) { return m.text == "Done."; });
  }

  QTemporaryDir temp;       // TEMP while the window runs
  QTemporaryDir elsewhere;  // where copies are saved
  ScriptedDialogs dialogs;
  MemorySettingsStore store;
  InProcessClipboard clipboard;
  FailingFileSystem files;
  engine::EngineApplicationFactory engine{clipboard, files};
  FailingFactory factory{engine};
  std::unique_ptr<Form1> form;
  std::unique_ptr<PreviewHandOver> handOver;
};

// Where the failure of each call of a report is reported, by the steps of the report in
// order: the calls each step makes, then the procedure and line that report its failure.
// Between the first steps and the last ones lies the layout of the sheet.
struct Step {
  int calls;
  const char* report;
};
const Step kFirstSteps[] = {{1, ""},  // looking for a running instance: a failure only means none runs
                            {1, "GenerateReport0 104"},
                            {1, "GenerateReport0 106"},
                            {1, "GenerateReport0 108"},
                            {1, "GenerateReport0 110"},
                            {1, "GenerateReport0 112"},
                            {1, "GenerateReport0 114"},
                            {1, "GenerateReport0 116"},
                            {2, "GenerateReport0 120"},
                            {2, "GenerateReport0 122"},
                            {4, "GenerateReport0 126"}};
const char* const kLayoutStep = "GenerateReport0 128";
const Step kLastSteps[] = {
    {2, "GenerateReport0 130"},      {3, "GenerateReport0 132"},      {1, "GenerateReport0 134"},
    {1, "GenerateReport0 136"},      {1, "GenerateReport0 138"},      {1, "GenerateReport0 140"},
    {1, "GenerateReport0 142"},      {2, "GenerateReport0 160"},      {1, "GenerateReport0 162"},
    {1, "GenerateReport0 164"},      {1, "GenerateReport0 166"},      {3, "GenerateReport0 170"},
    {3, "GenerateReport0 174"},      {1, "saveCellsActivesheet 100"}, {3, "saveCellsActivesheet 102"},
    {3, "saveCellsActivesheet 104"}, {2, "saveCellsActivesheet 110"}, {1, "GenerateReport0 178"},
    {1, "GenerateReport0 180"},      {1, "GenerateReport0 182"}};

// The report expected for the failure of call n (from 1) of a report making total calls.
std::string ExpectedReport(size_t n, size_t total) {
  size_t first = 0;
  for (const Step& step : kFirstSteps) {
    first += step.calls;
    if (n <= first) return step.report;
  }
  size_t fromEnd = total - n;  // calls after n
  for (auto step = std::rbegin(kLastSteps); step != std::rend(kLastSteps); ++step) {
    if (fromEnd < static_cast<size_t>(step->calls)) return step->report;
    fromEnd -= step->calls;
  }
  return kLayoutStep;
}

// The sweeps run in shards, so that ctest can spread them over the machine's cores.
constexpr int kShards = 4;

class ObjectModelSweep : public FaultSweep, public ::testing::WithParamInterface<int> {};

// Each call of the default month report fails in turn. The failure is reported by the
// step that made the call, the report goes on to show the preview (never the picture of
// an earlier report), the pointer is the default again, and once the user goes back
// nothing is left in TEMP.
TEST_P(ObjectModelSweep, EveryCallFailsInTurn) {
  const std::string earlierPicture = elsewhere.filePath("earlier.bmp").toStdString();
  QImage(7, 5, QImage::Format_RGB32).save(QString::fromStdString(earlierPicture));
  factory.plan.calls.clear();
  Report();
  const size_t total = factory.plan.calls.size();
  ASSERT_GT(total, 1000u);
  ASSERT_TRUE(Reports().empty());
  Click("PushButton8");
  for (size_t n = 1 + GetParam(); n <= total; n += kShards) {
    Preview().LoadPicture(earlierPicture);  // what the previous report showed
    const QImage earlier = Shown();
    factory.plan.calls.clear();
    factory.plan.failAt = n;
    Report();
    const std::string failed = factory.plan.calls.size() >= n ? factory.plan.calls[n - 1] : "?";
    const std::string expected = ExpectedReport(n, total);
    const std::vector<std::string> reports = Reports();
    if (expected.empty()) {
      EXPECT_TRUE(reports.empty()) << "call " << n << " " << failed;
    } else {
      ASSERT_FALSE(reports.empty()) << "call " << n << " " << failed << " was not reported";
      EXPECT_EQ(reports.front(), expected) << "call " << n << " " << failed;
    }
    EXPECT_TRUE(Preview().isVisible() && !form->isVisible()) << "call " << n;
    EXPECT_NE(Shown(), earlier) << "call " << n;
    EXPECT_EQ(form->MousePointer(), PointerKind::Default) << "call " << n;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "call " << n;
    Click("PushButton8");
    EXPECT_TRUE(TempIsEmpty()) << "call " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, ObjectModelSweep, ::testing::Range(0, kShards));

// An empty picture control shows white.
bool IsBlank(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x)
      if (rgb.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each file operation of a report, of saving its copy over an older file and of going
// back fails in turn. The old copy stays whole unless the new one is complete, "Done."
// comes only with a complete copy, the preview shows the report's whole picture or none,
// and nothing is left in TEMP or beside the copy.
TEST_F(FaultSweep, EveryFileOperationFailsInTurn) {
  const std::string target = elsewhere.filePath("plan.xls").toStdString();
  const auto saveAndGoBack = [&] {
    std::ofstream(target, std::ios::binary) << "older plan";
    dialogs.saveNames = {target};
    dialogs.answers = {MessageAnswer::Yes};
    Click("PushButton6");
    Click("PushButton8");
  };
  Report();
  const QImage picture = Shown();
  saveAndGoBack();
  const std::string workbook = ReadAll(target);
  const size_t total = files.operations.size();
  ASSERT_TRUE(Reports().empty() && DoneShown() && workbook.size() > 4096);
  for (size_t n = 1; n <= total; ++n) {
    SCOPED_TRACE("operation " + std::to_string(n));
    files.operations.clear();
    files.failAt = static_cast<int>(n);
    Report();
    const QImage shown = Shown();
    saveAndGoBack();
    const std::string failed = files.operations.at(n - 1);
    const std::string copy = ReadAll(target);
    EXPECT_TRUE(copy == "older plan" || copy == workbook) << failed;
    EXPECT_EQ(DoneShown(), copy == workbook) << failed;
    // Only a failed removal or permission change may pass unreported: both are retried
    // or do not matter.
    if (failed.rfind("Remove", 0) != 0 && failed.rfind("MakeWritable", 0) != 0) {
      EXPECT_FALSE(Reports().empty()) << failed << " was not reported";
    }
    EXPECT_TRUE(IsBlank(shown) || shown == picture) << failed;
    EXPECT_TRUE(TempIsEmpty()) << failed;
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.path().toStdString()), fs::directory_iterator()), 1)
        << failed;
  }
}

}  // namespace
}  // namespace tallowmere::testing
