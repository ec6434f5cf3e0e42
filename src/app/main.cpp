// The windowed program: the main window over the platform's settings store and dialogs,
// with the built-in spreadsheet engine as its spreadsheet application.
#include <QApplication>
#include <QCommandLineParser>

#include "engine/application/application.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"
#include "platform/qsettings_store.h"
#include "platform/widgets/qt_dialogs.h"
#include "shell/application_identity.h"
#include "shell/form1.h"
#include "shell/preview_hand_over.h"

int main(int argc, char** argv) {
  using namespace tallowmere;
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(TALLOWMERE_VERSION);
  // --help and --version answer and end the program; without options the window starts.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Builds cash-flow planning workbooks. The command line tallowmere-cli makes\n"
      "the same workbooks without a window.");
  parser.addHelpOption();
  parser.addVersionOption();
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
  form1.show();
  return QApplication::exec();
}
