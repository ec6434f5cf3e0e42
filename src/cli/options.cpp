#include "cli/options.h"

namespace tallowmere::cli {
namespace {

constexpr const char* kGenerateUsage =
    "Usage: tallowmere-cli generate --out FILE [--picture FILE.bmp] [--company TEXT]\n"
    "                               [--by-year FIRST LAST | --by-month FIRST LAST | --by-week N]\n"
    "                               [--items FILE] [--amounts FILE.csv] [--opening-cash N]\n"
    "                               [--week1 YYYY-MM-DD] [--minimum-cash N]\n"
    "\n"
    "Lays out the cash-flow sheet and writes the workbook to FILE, and its picture (.bmp)\n"
    "when --picture is given. FILE's extension chooses the format: .xls (Excel 97-2003),\n"
    ".xlsx (Excel Workbook) or .pdf (the sheet on one A4 page; a plan with numbers adds its\n"
    "chart on a second). The template items and every parameter not given come from the\n"
    "settings the windowed program keeps; the settings are only read.\n"
    "\n"
    "  --out FILE            where the workbook goes (.xls, .xlsx or .pdf; replaced when it\n"
    "                        exists, and kept whole when the new one cannot be written)\n"
    "  --picture FILE.bmp    also write the picture of the sheet (not to FILE)\n"
    "  --company TEXT        company name shown in the title area\n"
    "  --by-year FIRST LAST  one column per year\n"
    "  --by-month FIRST LAST one column per month of the years FIRST to LAST\n"
    "  --by-week N           N week columns (1 to 100)\n"
    "  --items FILE          item names, one per line (UTF-8), instead of the stored table;\n"
    "                        the list must hold every reserved item\n"
    "  --amounts FILE.csv    amounts of the items, instead of the stored ones: the header\n"
    "                        item,occurrence,amount,repeat,first,last,growth and one rule\n"
    "                        per line (see the manual page); a bad line refuses the file\n"
    "  --opening-cash N      cash on hand when the plan starts (up to two decimals)\n"
    "  --week1 YYYY-MM-DD    first day of Week 1 (default: the Monday after today)\n"
    "  --minimum-cash N      the cash to keep: cash positions below it are marked amber,\n"
    "                        below 0 red (default 0)\n"
    "\n"
    "Years and week counts, given or stored, pass the checks the window makes of them.\n"
    "\n"
    "Exit status: 0 done, 1 errors were reported on stderr (a file that could not be made\n"
    "whole, or of a sheet whose layout stopped at an error, is not written; an older one in\n"
    "its place stays as it was), 2 refused (bad arguments or parameters; nothing written).\n";

constexpr const char* kPictureUsage =
    "Usage: tallowmere-cli picture IN.xls OUT.bmp\n"
    "\n"
    "Writes a picture of the used range of the active sheet of the workbook IN.xls\n"
    "to OUT.bmp, which may not be IN.xls itself.\n"
    "\n"
    "Exit status: 0 done, 1 no picture could be made, 2 bad arguments.\n";

constexpr const char* kVersionUsage =
    "Usage: tallowmere-cli --version\n"
    "\n"
    "Prints the program's name and version.\n";

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

class ArgReader {
 public:
  explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
  bool Done() const { return next_ >= args_.size(); }
  const std::string& Next() { return args_[next_++]; }
  const std::string& Value(const std::string& flag) {
    if (Done()) throw UsageError(flag + " needs a value");
    return Next();
  }
  const std::string& FileName(const std::string& flag) {
    const std::string& name = Value(flag);
    if (name.empty()) throw UsageError(flag + " needs a file name");
    return name;
  }

 private:
  const std::vector<std::string>& args_;
  size_t next_ = 0;
};

void SetMode(GenerateOptions& options, PeriodMode mode) {
  if (options.mode) throw UsageError("give only one of --by-year, --by-month and --by-week");
  options.mode = mode;
}

GenerateOptions ParseGenerate(ArgReader& reader) {
  GenerateOptions options;
  while (!reader.Done()) {
    const std::string flag = reader.Next();
    if (flag == "--out") {
      options.out = reader.FileName(flag);
    } else if (flag == "--picture") {
      options.picture = reader.FileName(flag);
    } else if (flag == "--company") {
      options.company = reader.Value(flag);
    } else if (flag == "--items") {
      options.items = reader.FileName(flag);
    } else if (flag == "--amounts") {
      options.amounts = reader.FileName(flag);
    } else if (flag == "--opening-cash") {
      options.openingCash = reader.Value(flag);
    } else if (flag == "--week1") {
      options.week1 = reader.Value(flag);
    } else if (flag == "--minimum-cash") {
      options.minimumCash = reader.Value(flag);
    } else if (flag == "--by-year" || flag == "--by-month") {
      SetMode(options, flag == "--by-year" ? PeriodMode::Year : PeriodMode::Month);
      options.first = reader.Value(flag);
      options.last = reader.Value(flag);
    } else if (flag == "--by-week") {
      SetMode(options, PeriodMode::Week);
      options.weeks = reader.Value(flag);
    } else {
      throw UsageError("unknown argument: " + flag);
    }
  }
  if (options.out.empty()) throw UsageError("generate needs --out FILE");
  return options;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty()) throw UsageError("no command given");
  const std::string& command = args.front();
  if (IsHelp(command)) return line;
  if (command == "--version") {
    if (args.size() != 1) throw UsageError("--version takes no arguments");
    line.command = Command::Version;
    return line;
  }
  if (command != "generate" && command != "picture") throw UsageError("unknown command: " + command);
  for (const std::string& arg : args) {
    if (IsHelp(arg)) {
      line.helpTopic = command;
      return line;
    }
  }
  ArgReader reader(args);
  reader.Next();
  if (command == "generate") {
    line.command = Command::Generate;
    line.generate = ParseGenerate(reader);
    return line;
  }
  line.command = Command::Picture;
  if (args.size() != 3) throw UsageError("picture needs IN.xls and OUT.bmp");
  line.picture = {args[1], args[2]};
  return line;
}

std::string UsageText(const std::string& topic) {
  if (topic == "generate") return kGenerateUsage;
  if (topic == "picture") return kPictureUsage;
  return std::string(kGenerateUsage) + "\n" + kPictureUsage + "\n" + kVersionUsage;
}

}  // namespace tallowmere::cli
