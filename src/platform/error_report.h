#pragma once
// The one error report of the program, and the trap that numbered procedures run their
// statements under: a failing statement is reported with its line number and the
// procedure goes on with the next statement.

#include <functional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace tallowmere {

// Where users are asked to send a screenshot of an error report.
inline constexpr std::string_view kSupportAddress = "support@tallowmere.app";

// The report's text: description, CR LF, location, "at line ", line, CR CR, the request.
std::string ErrorReportText(std::string_view location, int line, std::string_view description);

// Shows the report in a modal box titled "Application Error" with the warning icon.
void ReportError(Dialogs& dialogs, std::string_view location, int line, std::string_view description);

// Runs the numbered statements of one procedure. A statement that throws is reported with
// the procedure's location and its line number; the caller then goes on with the next
// statement. Nothing thrown escapes.
class ErrorTrap {
 public:
  ErrorTrap(Dialogs& dialogs, std::string_view location) : dialogs_(dialogs), location_(location) {}

  // Runs one statement; true when it completed, false when it failed and was reported.
  bool Run(int line, const std::function<void()>& statement);

  // Evaluates the test of a guarded block. A test that fails is reported and counts as
  // true, so execution goes on with the first statement inside the block.
  bool Test(int line, const std::function<bool()>& condition);

  // Reports a failure caught elsewhere under this procedure's location.
  void Report(int line, std::string_view description);

  // Failures reported so far.
  int Failures() const { return failures_; }

 private:
  Dialogs& dialogs_;
  std::string_view location_;
  int failures_ = 0;
};

}  // namespace tallowmere
