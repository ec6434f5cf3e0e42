#pragma once
// The one error report of the program, and the trap that numbered procedures run their
// statements under: a failing statement is reported with its line number and the
// procedure goes on with the next statement.

#include <functional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace tallowmere {

// Location texts naming the trapped procedures in the error report.
namespace location {
inline constexpr std::string_view kSaveCellsActivesheet = "in Brindlecast2021/08/31.Excel1.saveCellsActivesheet ";
inline constexpr std::string_view kGenerateReport0 = "in Brindlecast2021/08/31.TwelveMonthCashFlowS.GenerateReport0 ";
inline constexpr std::string_view kForm1PushButton1Click = "in Brindlecast2021/08/31.Form1.PushButton1_Click ";
inline constexpr std::string_view kForm1PushButton2Click = "in Brindlecast2021/08/31.Form1.PushButton2_Click ";
inline constexpr std::string_view kForm1PushButton22Click = "in Brindlecast2021/08/31.Form1.PushButton22_Click ";
inline constexpr std::string_view kForm1PushButton3Click = "in Brindlecast2021/08/31.Form1.PushButton3_Click ";
inline constexpr std::string_view kForm1FormLoad = "in Brindlecast2021/08/31.Form1.Form_Load ";
inline constexpr std::string_view kForm1FormQueryUnload = "in Brindlecast2021/08/31.Form1.Form_QueryUnload ";
inline constexpr std::string_view kForm1PushButton4Click = "in Brindlecast2021/08/31.Form1.PushButton4_Click ";
inline constexpr std::string_view kForm1PushButton5Click = "in Brindlecast2021/08/31.Form1.PushButton5_Click ";
inline constexpr std::string_view kForm1PushButton6Click = "in Brindlecast2021/08/31.Form1.PushButton6_Click ";
inline constexpr std::string_view kForm2FormActivate = "in Brindlecast2021/08/31.Form2.Form_Activate ";
inline constexpr std::string_view kForm2FormLoad = "in Brindlecast2021/08/31.Form2.Form_Load ";
inline constexpr std::string_view kForm2FormQueryUnload = "in Brindlecast2021/08/31.Form2.Form_QueryUnload ";
inline constexpr std::string_view kForm2PushButton1Click = "in Brindlecast2021/08/31.Form2.PushButton1_Click ";
inline constexpr std::string_view kForm2PushButton2Click = "in Brindlecast2021/08/31.Form2.PushButton2_Click ";
inline constexpr std::string_view kForm2PushButton6Click = "in Brindlecast2021/08/31.Form2.PushButton6_Click ";
inline constexpr std::string_view kForm2PushButton8Click = "in Brindlecast2021/08/31.Form2.PushButton8_Click ";
inline constexpr std::string_view kForm2Picture1MouseDown = "in Brindlecast2021/08/31.Form2.picture1_MouseDown ";
inline constexpr std::string_view kForm2Picture1MouseMove = "in Brindlecast2021/08/31.Form2.picture1_MouseMove ";
inline constexpr std::string_view kForm2Picture1MouseUp = "in Brindlecast2021/08/31.Form2.Picture1_MouseUp ";
inline constexpr std::string_view kForm2RedrawImage = "in Brindlecast2021/08/31.Form2.RedrawImage ";
}  // namespace location

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

 private:
  Dialogs& dialogs_;
  std::string_view location_;
};

}  // namespace tallowmere
