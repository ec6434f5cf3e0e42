// The windowed program: the main window over the platform's settings store and dialogs,
// with the built-in spreadsheet engine as its spreadsheet application.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstring>

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

// The program's own options that answer on the terminal and end the program.
constexpr std::array<const char*, 6> kAnsweringOptions = {"-h", "-?", "--help", "--help-all", "-v", "--version"};

// Reads the options; --help, --version and an unknown option answer and end the program.
// True when the program is to end as soon as its main window is shown.
bool ProcessOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Builds cash-flow planning workbooks. The command line tallowmere-cli makes\n"
      "the same workbooks without a window.");
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption quitWhenShown("quit-when-shown", "End as soon as the main window is shown (to time the start).");
  quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(quitWhenShown);
  parser.process(arguments);
  return parser.isSet(quitWhenShown);
}

// The answering options among the arguments, after the program's name; empty when none
// is given. They are read before the window system is brought up, so that they work
// without a display; every other argument is left to the toolkit, which takes its own
// (-platform, -style, -reverse, -session, ...) out before the rest is read.
QStringList AnsweringArguments(int argc, char** argv) {
  QStringList answering;
  for (int i = 1; i < argc; ++i) {
    const auto same = [arg = argv[i]](const char* option) { return std::strcmp(arg, option) == 0; };
    if (std::any_of(kAnsweringOptions.begin(), kAnsweringOptions.end(), same))
      answering << QString::fromLocal8Bit(argv[i]);
  }
  if (!answering.isEmpty()) answering.prepend(QString::fromLocal8Bit(argv[0]));
  return answering;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tallowmere;
  QCoreApplication::setApplicationVersion(TALLOWMERE_VERSION);
  if (const QStringList answering = AnsweringArguments(argc, argv); !answering.isEmpty()) {
    const QCoreApplication text(argc, argv);
    ProcessOptions(answering);
  }
  QApplication app(argc, argv);
  const bool quitWhenShown = ProcessOptions(QCoreApplication::arguments());

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
  Form1 form1(Form1Services{dialogs, store, factory, clipboard, files, programFolder, TempFolder(), endProgram});
  PreviewHandOver handOver(form1, Form2Services{dialogs, files, factory, programFolder}, endProgram);
  form1.SetReportHost(&handOver);
  if (!form1.Form_Load()) return 0;
  QuitWhenPainted quitWhenPainted;
  if (quitWhenShown) form1.installEventFilter(&quitWhenPainted);
  form1.show();
  return QApplication::exec();
}
