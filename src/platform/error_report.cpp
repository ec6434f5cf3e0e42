#include "platform/error_report.h"

#include <exception>

namespace tallowmere {

std::string ErrorReportText(std::string_view location, int line, std::string_view description) {
  std::string text(description);
  text += "\r\n";
  text += location;
  text += "at line ";
  text += std::to_string(line);
  text += "\r\r";
  text += "Please email screenshot of this message to ";
  text += kSupportAddress;
  return text;
}

void ReportError(Dialogs& dialogs, std::string_view location, int line, std::string_view description) {
  dialogs.Message(ErrorReportText(location, line, description), "Application Error", MessageButtons::Ok,
                  MessageIcon::Warning);
}

bool ErrorTrap::Run(int line, const std::function<void()>& statement) {
  try {
    statement();
    return true;
  } catch (const std::exception& e) {
    Report(line, e.what());
  } catch (...) {
    Report(line, "Unknown error");
  }
  return false;
}

bool ErrorTrap::Test(int line, const std::function<bool()>& condition) {
  bool result = true;
  Run(line, [&] { result = condition(); });
  return result;
}

void ErrorTrap::Report(int line, std::string_view description) {
  ++failures_;
  try {
    ReportError(dialogs_, location_, line, description);
  } catch (...) {
    // A report that cannot be shown must not end the procedure either.
  }
}

}  // namespace tallowmere
