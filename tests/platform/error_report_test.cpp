// The error report's text and the trap that reports a failing statement and goes on.
#include "platform/error_report.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_dialogs.h"

namespace tallowmere {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

constexpr std::string_view kFormLoad = "in Brindlecast2021/08/31.Form1.Form_Load ";
constexpr std::string_view kMouseMove = "in Brindlecast2021/08/31.Form2.picture1_MouseMove ";
constexpr std::string_view kQueryUnload = "in Brindlecast2021/08/31.Form1.Form_QueryUnload ";

TEST(ErrorReportTest, MessageByteForByte) {
  EXPECT_EQ(ErrorReportText(kFormLoad, 148, "Type mismatch"),
            "Type mismatch\r\nin Brindlecast2021/08/31.Form1.Form_Load at line 148\r\r"
            "Please email screenshot of this message to support@tallowmere.app");
  // An empty description still starts with the line break.
  EXPECT_TRUE(StartsWith(ErrorReportText(kMouseMove, 7, ""),
                         "\r\nin Brindlecast2021/08/31.Form2.picture1_MouseMove at line 7\r\r"));
}

TEST(ErrorReportTest, TrapReportsEachFailureAndGoesOn) {
  testing::ScriptedDialogs dialogs;
  ErrorTrap trap(dialogs, kQueryUnload);
  std::vector<int> ran;
  EXPECT_FALSE(trap.Run(104, [&] { throw std::runtime_error("first"); }));
  EXPECT_TRUE(trap.Run(106, [&] { ran.push_back(106); }));
  EXPECT_FALSE(trap.Run(108, [&] { throw 42; }));
  // A failing test enters the block it guards.
  if (trap.Test(110, [&]() -> bool { throw std::out_of_range("Subscript out of range"); })) ran.push_back(112);
  if (trap.Test(114, [] { return false; })) ran.push_back(116);

  EXPECT_EQ(ran, (std::vector<int>{106, 112}));
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_TRUE(
      StartsWith(dialogs.messages[0].text, "first\r\nin Brindlecast2021/08/31.Form1.Form_QueryUnload at line 104\r\r"));
  EXPECT_EQ(dialogs.messages[0].title, "Application Error");
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_NE(dialogs.messages[1].text.find("at line 108\r\r"), std::string::npos);
  EXPECT_TRUE(StartsWith(dialogs.messages[2].text, "Subscript out of range\r\n"));
  EXPECT_NE(dialogs.messages[2].text.find("at line 110\r\r"), std::string::npos);
}

}  // namespace
}  // namespace tallowmere
