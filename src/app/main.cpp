// The windowed program: the main window over the platform's settings store and dialogs,
// with the built-in spreadsheet engine as its spreadsheet application.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "engine/application/application.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"
#include "platform/qt/qsettings_store.h"
#include "platform/widgets/qt_dialogs.h"
#include "shell/application_identity.h"
#include "shell/form1.h"
#include "shell/preview_hand_over.h"

namespace {

// Ends the program once the watched window has painted itself for the first time, so that
// the time a start takes until the user sees the window can be measured from outside.
class QuitWhenPainted : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace tallowmere;
  QApplication app(argc, argv);
  SetPendingEventsRunner([] { QCoreApplication::processEvents(); });
  QApplication::setApplicationVersion(TALLOWMERE_VERSION);
  // --help and --version answer and end the program; without options the window starts.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Builds cash-flow planning workbooks. The command line tallowmere-cli makes\n"
      "the same workbooks without a window.");
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption quitWhenShown("quit-when-shown", "End as soon as the main window is shown (to time the start).");
  quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(quitWhenShown);
  parser.process(app);

  QApplication::setWindowIcon(ApplicationIcon());
  // Desktops match the windows to the desktop entry, and so to its name and icon.
  QGuiApplication::setDesktopFileName("tallowmere");
  // The program ends when the main window or the preview is closed, each through its own
  // closing steps, never because the last visible window went away.
  QApplication::setQuitOnLastWindowClosed(false);

  QtDialogs dialogs;
  QSettingsStore store;
  InProcessClipboard clipboard;
  FileSystem& files = LocalFileSystem();
  engine::EngineApplicationFactory factory(clipboard, files);
  const auto endProgram = [] { QCoreApplication::exit(0); };

  const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
  Form1 form1(Form1Services{dialogs, store, factory, clipboard, files, programFolder, endProgram});
  PreviewHandOver handOver(form1, Form2Services{dialogs, files, factory, programFolder}, endProgram);
  form1.SetReportHost(&handOver);
  if (!form1.Form_Load()) return 0;
  QuitWhenPainted quitWhenPainted;
  if (parser.isSet(quitWhenShown)) form1.installEventFilter(&quitWhenPainted);
  form1.show();
  return QApplication::exec();
}
