// The field checks when the focus leaves a field, and the Start command with its checks,
// pointer and painting.

#include <QFile>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "form1_fixture.h"
#include "platform/error_report.h"
#include "sheet/report_driver.h"

namespace tallowmere::testing {
namespace {

class FieldChecksTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    Loaded();
    form->show();
    QApplication::setActiveWindow(form.get());
    QApplication::processEvents();
  }
  QLineEdit* Edit(ParameterField field) { return form->Field(field); }
  // Types text into field and moves the focus to Text1, as a click there would.
  void Leave(ParameterField field, const std::string& text) {
    Edit(field)->setFocus(Qt::MouseFocusReason);
    Edit(field)->setText(QString::fromStdString(text));
    dialogs.messages.clear();
    Edit(ParameterField::Company)->setFocus(Qt::MouseFocusReason);
  }
  bool FocusIn(ParameterField field) { return QApplication::focusWidget() == Edit(field); }
};

TEST_F(FieldChecksTest, EnteringAFieldSelectsItsText) {
  ASSERT_TRUE(form->isActiveWindow());
  Edit(ParameterField::FirstYear)->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Edit(ParameterField::FirstYear)->selectedText().toStdString(), Year());
}

TEST_F(FieldChecksTest, YearFieldsAcceptAndTidyValuesFromNineteenSeventy) {
  const std::vector<std::pair<std::string, std::string>> accepted = {
      {"24", "2024"}, {"", "2000"}, {"-5", "1995"}, {"2024.4", "2024"}, {"1970", "1970"}};
  for (ParameterField field : {ParameterField::FirstYear, ParameterField::LastYear, ParameterField::MonthFirstYear,
                               ParameterField::MonthLastYear})
    for (const auto& [typed, shown] : accepted) {
      Leave(field, typed);
      EXPECT_EQ(Text(field), shown) << typed;
      EXPECT_TRUE(dialogs.messages.empty()) << typed;
      EXPECT_TRUE(FocusIn(ParameterField::Company)) << typed;
    }
}

TEST_F(FieldChecksTest, RejectedYearIsCorrectedAndKeepsTheFocus) {
  for (const char* typed : {"1969", "100", "99999999999", "-99999999999"}) {
    Leave(ParameterField::LastYear, typed);
    EXPECT_EQ(Text(ParameterField::LastYear), Year()) << typed;
    ASSERT_EQ(dialogs.messages.size(), 1u) << typed;
    EXPECT_EQ(LastMessage(), "Year can't be less then 1970.\r\nPlease change year to necessary value.");
    EXPECT_EQ(dialogs.messages.back().title, "Tallowmere");
    EXPECT_TRUE(FocusIn(ParameterField::LastYear)) << typed;
    QApplication::processEvents();
    EXPECT_EQ(Edit(ParameterField::LastYear)->selectedText().toStdString(), Year()) << "typing must replace the value";
    // The corrected value passes when the field is left again.
    dialogs.messages.clear();
    Edit(ParameterField::Company)->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(FocusIn(ParameterField::Company));
  }
  Leave(ParameterField::MonthFirstYear, "1969");
  EXPECT_EQ(Text(ParameterField::MonthFirstYear), Year());
  EXPECT_TRUE(FocusIn(ParameterField::MonthFirstYear));
  EXPECT_EQ(store.values["Text6"], Year());
}

// The message box of a rejected value takes the release of the click that left the field:
// the button under that click is not pressed, and so is not left drawn pressed.
TEST_F(FieldChecksTest, ClickThatARejectedValueStopsLeavesNoButtonPressed) {
  for (const char* name :
       {"PushButton1", "PushButton2", "PushButton3", "PushButton4", "PushButton5", "PushButton6", "PushButton22"}) {
    auto* button = form->findChild<QPushButton*>(name);
    Edit(ParameterField::FirstYear)->setFocus(Qt::MouseFocusReason);
    Edit(ParameterField::FirstYear)->setText("1969");
    dialogs.messages.clear();
    // A press first gives the button the focus, then reaches it.
    button->setFocus(Qt::MouseFocusReason);
    const QPointF inside(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, inside, button->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(dialogs.messages.size(), 1u) << name;
    EXPECT_TRUE(FocusIn(ParameterField::FirstYear)) << name;
    EXPECT_FALSE(button->isDown()) << name;
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << name;
  }
}

TEST_F(FieldChecksTest, WeekCountStaysWithinOneToHundred) {
  const std::string tooFew = "Week number can't be less then 1.\r\nPlease change week's number to necessary value.";
  const std::string tooMany =
      "Week number can't be greater then 100.\r\nPlease change week's number to necessary value.";
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"0", "1", tooFew}, {"-3", "1", tooFew}, {"abc", "1", tooFew}, {"150", "100", tooMany},
      {"7.5", "8", ""},   {"6.5", "6", ""},    {"100", "100", ""},   {"99999999999", "100", tooMany}};
  for (const auto& [typed, shown, message] : cases) {
    Leave(ParameterField::Weeks, typed);
    EXPECT_EQ(Text(ParameterField::Weeks), shown) << typed;
    if (message.empty()) {
      EXPECT_TRUE(dialogs.messages.empty()) << typed;
      EXPECT_TRUE(FocusIn(ParameterField::Company)) << typed;
    } else {
      ASSERT_EQ(dialogs.messages.size(), 1u) << typed;
      EXPECT_EQ(LastMessage(), message);
      EXPECT_TRUE(FocusIn(ParameterField::Weeks)) << typed;
    }
  }
}

TEST_F(FieldChecksTest, SwitchingWindowsIsNotLeavingTheField) {
  Edit(ParameterField::Weeks)->setFocus(Qt::MouseFocusReason);
  Edit(ParameterField::Weeks)->setText("0");
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(Edit(ParameterField::Weeks), &away);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Text(ParameterField::Weeks), "0");
}

class StartCommandTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    Loaded();
  }
  void Start(PeriodMode mode, const std::string& first, const std::string& last) {
    form->SetMode(mode);
    form->SetText(YearRangeOf(mode).first, first);
    form->SetText(YearRangeOf(mode).last, last);
    dialogs.messages.clear();
    host.calls.clear();
    form->PushButton22_Click();
  }
  bool ReportMade() const { return !host.calls.empty(); }
  void ExpectRestored() {
    EXPECT_EQ(form->MousePointer(), PointerKind::Default);
    EXPECT_FALSE(form->PaintingSuspended());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
};

TEST_F(StartCommandTest, YearRangeIsCheckedBeforeAnyReport) {
  Start(PeriodMode::Year, "2020", "2019");
  EXPECT_EQ(Text(ParameterField::LastYear), "2020");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(LastMessage(), "Start year can't be greater then end year.\r\nPlease change year to necessary value.");
  EXPECT_FALSE(ReportMade());
  ExpectRestored();

  Start(PeriodMode::Year, "2000", "2101");
  EXPECT_EQ(Text(ParameterField::LastYear), "2000");
  EXPECT_EQ(LastMessage(),
            "Start year can't be greater then end year by more then 100 years in Year mode.\r\n"
            "Please change year to necessary value.");
  EXPECT_FALSE(ReportMade());

  Start(PeriodMode::Month, "2013", "2024");
  EXPECT_EQ(Text(ParameterField::MonthLastYear), "2013");
  EXPECT_NE(LastMessage().find("by more then 10 years in Month mode."), std::string::npos);
  EXPECT_FALSE(ReportMade());
  ExpectRestored();
}

TEST_F(StartCommandTest, AcceptedRangeMakesTheReportWithBusyPointer) {
  Start(PeriodMode::Year, "2000", "2100");
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  ASSERT_TRUE(ReportMade());
  EXPECT_EQ(host.calls.front(), "pointer 11");
  EXPECT_EQ(host.calls.back(), "hide");
  EXPECT_NE(host.workbook.find("vormid"), std::string::npos);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(host.workbook)));
  ExpectRestored();

  // By Week only tidies Text3 and goes ahead.
  form->SetText(ParameterField::FirstYear, "2000");
  Start(PeriodMode::Week, "2000", "");
  EXPECT_EQ(Text(ParameterField::LastYear), "0");
  EXPECT_TRUE(ReportMade());
}

TEST_F(StartCommandTest, DeclinedRunningInstanceMakesNoReport) {
  factory.runningName = "Microsoft Excel";
  dialogs.answers = {MessageAnswer::No};
  Start(PeriodMode::Month, "2013", "2013");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_FALSE(ReportMade());
  ExpectRestored();
}

TEST_F(StartCommandTest, DriverErrorsStillRestorePointerAndPainting) {
  factory.failCreate = true;
  Start(PeriodMode::Month, "2013", "2013");
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_NE(dialogs.messages[0].text.find(location::kGenerateReport0), std::string::npos);
  ExpectRestored();
}

}  // namespace
}  // namespace tallowmere::testing
