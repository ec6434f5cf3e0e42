// tallowmere-cli: the cash-flow workbook and its picture without a window. It links no
// GUI library: the engine loads its picture module (the font libraries) only when a
// picture is drawn, and its page module, which brings up Qt's GUI layer on the headless
// platform, only when a page is.
#include <QtGlobal>
#include <cstdlib>
#include <iostream>

#include "cli_commands.h"
#include "cli_options.h"
#include "platform/qsettings_store.h"

using namespace tallowmere::cli;

namespace {

// Qt's own notes about the headless platform (a missing runtime folder, size hints) are
// no business of a script reading our stderr; serious failures still get through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietQtMessages);
  const std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine line;
  try {
    line = ParseCommandLine(args);
  } catch (const UsageError& e) {
    const std::string topic = !args.empty() && (args[0] == "generate" || args[0] == "picture") ? args[0] : "";
    std::cerr << "tallowmere-cli: " << e.what() << "\n\n" << UsageText(topic);
    return 2;
  }
  try {
    switch (line.command) {
      case Command::Help: std::cout << UsageText(line.helpTopic); return 0;
      case Command::Version: std::cout << "tallowmere-cli " TALLOWMERE_VERSION "\n"; return 0;
      case Command::Generate: {
        tallowmere::QSettingsStore store;
        return RunGenerate(line.generate, store);
      }
      case Command::Picture: return RunPicture(line.picture);
    }
  } catch (const std::exception& e) {
    std::cerr << "tallowmere-cli: " << e.what() << "\n";
  }
  return 1;
}
