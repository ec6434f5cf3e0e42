#pragma once
// The command line of tallowmere-cli: what it accepts and the usage texts.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/report_parameters.h"

namespace tallowmere::cli {

// Bad arguments; the message says which.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct GenerateOptions {
  std::string out;      // the workbook's destination
  std::string picture;  // "" for none
  std::string items;    // item list file; "" to use the stored table
  std::optional<std::string> company;
  std::optional<PeriodMode> mode;  // with first/last (Year, Month) or weeks (Week)
  std::string first, last, weeks;
  std::string amounts;  // amounts file (CSV); "" to use the stored rules
  std::optional<std::string> openingCash;
  std::optional<std::string> minimumCash;
  std::optional<std::string> week1;  // Week 1's first day, YYYY-MM-DD
};

struct PictureOptions {
  std::string in, out;
};

enum class Command { Help, Version, Generate, Picture };

struct CommandLine {
  Command command = Command::Help;
  std::string helpTopic;  // "", "generate" or "picture"
  GenerateOptions generate;
  PictureOptions picture;
};

// args without the program name. Throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Usage of topic ("" for both commands).
std::string UsageText(const std::string& topic);

}  // namespace tallowmere::cli
