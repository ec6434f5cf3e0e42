// The built program in a virtual X server: "Start Creating Template" is clicked, the
// preview window appears and a workbook that LibreOffice opens is left in TEMP.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "model/template_model.h"
#include "support/run_program.h"

namespace {

using tallowmere::testing::HaveProgram;
using tallowmere::testing::RunProgram;

int Colours(const QString& picture) {
  const std::string colours = RunProgram({"identify", "-format", "%k", picture.toStdString()}, {}, 60).out;
  return QString::fromStdString(colours).trimmed().toInt();
}

QString ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// One session of the program in a virtual X server, on a settings file of its own.
class StartReportEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"xvfb-run", "xdotool", "import", "identify"})
      if (!HaveProgram(tool)) GTEST_SKIP() << tool << " is not installed";
    if (!QFile::exists(program)) GTEST_SKIP() << "tallowmere is not built at " << program.toStdString();
    ASSERT_TRUE(root.isValid());
    for (const QString& folder : {out, temp, config}) ASSERT_TRUE(QDir().mkpath(folder));
  }

  // Starts the program with settings (the text of its settings file, or none), clicks
  // Start and photographs both windows; fails when the session did not get that far.
  void RunSession(const QString& settings = {}) {
    if (!settings.isEmpty()) {
      QFile file(config + "/Quenwick.conf");
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(settings.toUtf8());
    }
    // Start looking for a free display at a number of this run's own: runs side by side
    // (other builds' suites) would otherwise race for the same first free number.
    const std::string firstDisplay = std::to_string(100 + QCoreApplication::applicationPid() % 5000);
    const tallowmere::testing::ProgramEnvironment environment{
        {{"XDG_CONFIG_HOME", config.toStdString()}, {"TEMP", temp.toStdString()}}, {"QT_QPA_PLATFORM"}};
    const auto session = RunProgram(
        {"xvfb-run", "-a", "-n", firstDisplay, "-s", "-screen 0 1280x1024x24", "bash",
         tallowmere::testing::TestScript("start_report_session.sh"), program.toStdString(), out.toStdString()},
        environment, 300);
    ASSERT_FALSE(session.timedOut) << "the session did not end";
    if (QFile::exists(out + "/failure")) {
      root.setAutoRemove(false);  // keep the screenshots for a look
      FAIL() << ReadAll(out + "/failure").toStdString() << " in " << out.toStdString() << "\n"
             << ReadAll(out + "/program.log").toStdString();
    }
  }

  const QString program = QStringLiteral(TM_BINARY_DIR "/src/app/tallowmere");
  QTemporaryDir root;
  const QString out = root.filePath("out"), temp = root.filePath("temp"), config = root.filePath("config");
};

TEST_F(StartReportEndToEnd, ClickingStartLeavesAWorkbookAndOpensThePreview) {
  RunSession();
  if (HasFatalFailure()) return;
  EXPECT_GT(Colours(out + "/main.png"), 10) << "the main window's screenshot is blank";
  EXPECT_FALSE(ReadAll(out + "/preview").trimmed().isEmpty()) << "no preview window appeared\n"
                                                              << ReadAll(out + "/program.log").toStdString();
  EXPECT_GT(Colours(out + "/preview.png"), 10) << "the preview's screenshot is blank";

  const QStringList workbooks = QDir(temp).entryList({"vormid*.xls"}, QDir::Files);
  ASSERT_EQ(workbooks.size(), 1) << ReadAll(out + "/program.log").toStdString();
  EXPECT_TRUE(QRegularExpression("^vormid[1-9]{8}\\.xls$").match(workbooks[0]).hasMatch())
      << workbooks[0].toStdString();
  EXPECT_FALSE(QFile::exists(temp + "/temp.bmp")) << "the picture file was left behind";

  if (!HaveProgram("soffice")) GTEST_SKIP() << "LibreOffice is not installed; the workbook was not opened";
  const auto office = RunProgram(
      {"soffice", "-env:UserInstallation=file://" + root.filePath("lo-profile").toStdString(), "--headless",
       "--convert-to", "csv", "--outdir", out.toStdString(), QDir(temp).filePath(workbooks[0]).toStdString()},
      {}, 180);
  ASSERT_FALSE(office.timedOut) << "LibreOffice did not finish";
  const QString csv = ReadAll(out + "/" + QString(workbooks[0]).replace(".xls", ".csv"));
  EXPECT_TRUE(csv.contains("Cash Sales")) << "LibreOffice read: " << csv.left(400).toStdString();
  EXPECT_TRUE(csv.contains("TOTAL CASH PAID OUT"));
}

// Ten years by month with 224 items: a picture of several hundred megabytes decoded,
// far above the image reader's usual limit, is shown without an error report.
TEST_F(StartReportEndToEnd, LargeSheetIsShownInThePreview) {
  QString settings = "[Tallowmere]\nIsYear=false\nIsMonth=true\nText6=2013\nText7=2022\n";
  std::vector<std::string> names = tallowmere::DefaultItemNames();
  for (int i = 1; i <= 180; ++i) names.insert(names.begin() + 20, "Extra expense " + std::to_string(i));
  for (size_t i = 0; i < names.size(); ++i)
    settings += QString("Field%1=\"%2\"\n").arg(i + 1).arg(QString::fromStdString(names[i]));
  settings += QString(
                  "System%20Value%20-%20Rows=%1\nSystem%20Value%20-%20Columns=7\n"
                  "System%20Value%20-%20Saved=true\n")
                  .arg(names.size());
  RunSession(settings);
  if (HasFatalFailure()) return;
  EXPECT_FALSE(ReadAll(out + "/preview").trimmed().isEmpty()) << ReadAll(out + "/program.log").toStdString();
  EXPECT_GT(Colours(out + "/preview.png"), 10) << "the preview's screenshot is blank";
}

}  // namespace
