// tallowmere-cli: the cash-flow workbook and its picture without a window. It links no
// Qt library: it reads the windowed program's settings file itself, and the engine draws
// pictures and pages with cairo; only the .xlsx writer comes from a module, loaded when
// an .xlsx is written.
#include <cstdlib>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/options.h"
#include "platform/conf_file_store.h"
#include "platform/interrupt_cleanup.h"

using namespace tallowmere::cli;

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine line;
  try {
    line = ParseCommandLine(args);
  } catch (const UsageError& e) {
    const std::string topic = !args.empty() && (args[0] == "generate" || args[0] == "picture") ? args[0] : "";
    std::cerr << "tallowmere-cli: " << e.what() << "\n\n" << UsageText(topic);
    return 2;
  }
  // A run that is interrupted leaves nothing half made; the cleanup waits on a thread of
  // its own, started before any other.
  if (line.command == Command::Generate || line.command == Command::Picture) tallowmere::CleanUpOnInterrupt();
  try {
    switch (line.command) {
      case Command::Help: std::cout << UsageText(line.helpTopic); return 0;
      case Command::Version: std::cout << "tallowmere-cli " TALLOWMERE_VERSION "\n"; return 0;
      case Command::Generate: {
        std::unique_ptr<tallowmere::ConfFileStore> store;
        try {
          store = std::make_unique<tallowmere::ConfFileStore>(tallowmere::ConfFileStore::StandardFiles());
        } catch (const std::exception& e) {
          std::cerr << "tallowmere-cli: " << e.what() << "\n";
          return 2;  // refused: without its settings the run writes nothing
        }
        return RunGenerate(line.generate, *store);
      }
      case Command::Picture: return RunPicture(line.picture);
    }
  } catch (const std::exception& e) {
    std::cerr << "tallowmere-cli: " << e.what() << "\n";
  }
  return 1;
}
