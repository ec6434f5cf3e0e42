// Start-up, closing, layout, pointer rules and skin of the main window.

#include <gtest/gtest-spi.h>

#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "form1_fixture.h"
#include "platform/error_report.h"
#include "platform/widgets/hand_cursor.h"

namespace tallowmere::testing {
namespace {

TEST_F(Form1Test, FirstRunWithEmptyStoreShowsDefaults) {
  Form1& window = Loaded();
  EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option3"});
  for (ParameterField field : {ParameterField::FirstYear, ParameterField::LastYear, ParameterField::MonthFirstYear,
                               ParameterField::MonthLastYear})
    EXPECT_EQ(Text(field), Year());
  EXPECT_EQ(Text(ParameterField::Weeks), "5");
  EXPECT_EQ(Text(ParameterField::Company), "");
  ASSERT_EQ(window.Model().Count(), 44);
  EXPECT_EQ(window.findChild<QListWidget*>("List1")->count(), 44);
  EXPECT_EQ(window.findChild<QListWidget*>("List1")->item(0)->text().toStdString(), ListEntries()[0]);
  EXPECT_EQ(Selected(), 0);
  EXPECT_FALSE(window.PaintingSuspended());
  EXPECT_EQ(window.windowTitle(), "Tallowmere");
  EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(16, 16)));
  EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(256, 256)));
  // The By Month years are stored as soon as the start-up sets them.
  EXPECT_EQ(store.values["Text6"], Year());
  EXPECT_EQ(store.values["Text7"], Year());
}

TEST_F(Form1Test, StoredParametersAreApplied) {
  store.values = {{"IsYear", "False"}, {"IsMonth", "False"},  {"Year", "abc"}, {"Year1", "2030"},
                  {"Weeks", "12"},     {"Company", " Acme "}, {"Text6", ""},   {"Text7", "2019"}};
  Loaded();
  EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option2"});
  EXPECT_EQ(Text(ParameterField::FirstYear), "0");
  EXPECT_EQ(Text(ParameterField::LastYear), "2030");
  EXPECT_EQ(Text(ParameterField::Weeks), "12");
  EXPECT_EQ(Text(ParameterField::Company), " Acme ");
  EXPECT_EQ(Text(ParameterField::MonthFirstYear), "");  // the key exists, so no default applies
  EXPECT_EQ(Text(ParameterField::MonthLastYear), "2019");

  store.values["IsYear"] = "True";
  Loaded();
  EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option1"});
}

TEST(Form1Fixture, LastMessageWithoutAnyFailsTheTestRatherThanCrashing) {
  EXPECT_NONFATAL_FAILURE(
      {
        const ScriptedDialogs none;
        EXPECT_EQ(LastMessageOf(none), "");
      },
      "no message was shown");
}

TEST_F(Form1Test, StoredNumbersOfAnySizeKeepTheCompanyAcrossARestart) {
  store.values = {
      {"Year", "99999999999"}, {"Year1", "2024.5"}, {"Company", "Acme"}, {"IsYear", "True"}, {"IsMonth", "False"}};
  Make();
  EXPECT_TRUE(form->Form_Load());
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Text(ParameterField::FirstYear), "99999999999");
  EXPECT_EQ(Text(ParameterField::LastYear), "2024.5");
  EXPECT_EQ(Text(ParameterField::Company), "Acme");
  EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option1"});
  form->close();
  EXPECT_EQ(store.values["Year"], "99999999999");
  EXPECT_EQ(store.values["Year1"], "2024.5");
  EXPECT_EQ(store.values["Company"], "Acme");
}

TEST_F(Form1Test, DamagedStoreIsReportedAndStartUpGoesOn) {
  store.values["IsYear"] = "maybe";
  Make();
  EXPECT_TRUE(form->Form_Load());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Application Error");
  EXPECT_NE(dialogs.messages[0].text.find(std::string(location::kForm1FormLoad) + "at line 148"), std::string::npos);
  EXPECT_FALSE(form->PaintingSuspended());
  EXPECT_EQ(form->Model().Count(), 44);
}

TEST_F(Form1Test, MissingSpreadsheetApplicationEndsStartUp) {
  factory.failCreate = true;
  Make();
  EXPECT_FALSE(form->Form_Load());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Test, ClosingStoresParametersThenTemplateAndEndsProgram) {
  Loaded();
  form->SetText(ParameterField::Company, "Acme");
  form->SetMode(PeriodMode::Year);
  store.writes.clear();
  form->close();
  std::vector<std::string> expected = {"Company", "Year", "Year1", "Weeks", "IsYear", "IsMonth"};
  for (int i = 1; i <= 44; ++i) expected.push_back("Field" + std::to_string(i));
  for (const char* key : {"System Value - Rows", "System Value - Columns", "System Value - Saved"})
    expected.push_back(key);
  EXPECT_EQ(store.writes, expected);
  EXPECT_TRUE(store.unflushed.empty());  // flushed once, after the last write
  EXPECT_EQ(store.values["Company"], "Acme");
  EXPECT_EQ(store.values["IsYear"], "True");
  EXPECT_EQ(store.values["IsMonth"], "False");
  EXPECT_EQ(store.values["System Value - Saved"], "True");
  EXPECT_EQ(programEnded, 1);
}

TEST_F(Form1Test, FailingStoreWriteIsReportedAndTheRestIsWritten) {
  Loaded();
  store.failingKeys = {"Year1", "Field3"};
  form->StoreSettings();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_NE(dialogs.messages[0].text.find("Form_QueryUnload at line 108"), std::string::npos);
  EXPECT_NE(dialogs.messages[1].text.find("Form_QueryUnload at line 116"), std::string::npos);
  EXPECT_EQ(store.values["Weeks"], "5");
  EXPECT_EQ(store.values["Field4"], ListEntries()[3]);
  EXPECT_EQ(store.values["System Value - Saved"], "True");
  EXPECT_TRUE(store.unflushed.empty());
}

TEST_F(Form1Test, FailingFlushAtClosingIsReportedAtTheSavedFlag) {
  Loaded();
  store.failFlush = true;
  const int flushesBefore = store.flushes;
  form->close();
  EXPECT_EQ(store.flushes, flushesBefore + 1);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Application Error");
  EXPECT_NE(dialogs.messages[0].text.find("Cannot flush\r\n"), std::string::npos);
  EXPECT_NE(dialogs.messages[0].text.find("Form_QueryUnload at line 124"), std::string::npos);
  EXPECT_EQ(programEnded, 1);  // the window still closes
}

TEST_F(Form1Test, MonthYearsAreFlushedAtEveryChangeAndAFailureIsShownOnce) {
  Loaded();
  form->SetText(ParameterField::MonthFirstYear, "2020");
  EXPECT_EQ(store.values["Text6"], "2020");
  EXPECT_TRUE(store.unflushed.empty());
  store.failFlush = true;
  form->SetText(ParameterField::MonthLastYear, "2021");
  form->SetText(ParameterField::MonthLastYear, "2022");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
  EXPECT_NE(dialogs.messages[0].text.find("Cannot flush"), std::string::npos);
}

TEST_F(Form1Test, WindowKeepsItsSizeAndDesignColours) {
  Form1& window = Loaded();
  EXPECT_EQ(window.size(), QSize(536, 565));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(window.SkinApplied());
}

void MoveOver(QWidget* widget) {
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

TEST_F(Form1Test, PointerFollowsTheControlsAndNeverReplacesBusy) {
  Form1& window = Loaded();
  window.show();
  EXPECT_FALSE(window.HasCustomPointerImage());
  MoveOver(window.findChild<QPushButton*>("PushButton1"));
  EXPECT_EQ(window.MousePointer(), PointerKind::Custom);
  EXPECT_EQ(window.cursor().shape(), Qt::PointingHandCursor);
  // Option buttons, labels and the year fields leave it as it is.
  MoveOver(window.findChild<QRadioButton*>("Option1"));
  MoveOver(window.findChild<QWidget*>("Label2"));
  MoveOver(window.findChild<QLineEdit*>("Text3"));
  EXPECT_EQ(window.MousePointer(), PointerKind::Custom);
  MoveOver(window.findChild<QListWidget*>("List1")->viewport());
  EXPECT_EQ(window.MousePointer(), PointerKind::Default);
  MoveOver(window.findChild<QPushButton*>("PushButton22"));
  MoveOver(window.findChild<QLineEdit*>("Text1"));
  EXPECT_EQ(window.MousePointer(), PointerKind::Default);

  window.SetMousePointer(PointerKind::Busy);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  MoveOver(window.findChild<QPushButton*>("PushButton5"));
  MoveOver(window.findChild<QGroupBox*>("Frame1"));
  EXPECT_EQ(window.MousePointer(), PointerKind::Busy);
  window.SetMousePointer(PointerKind::Default);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Form1Test, UnreadablePointerFileIsReportedAtItsLoadingStep) {
  const std::string folder = temp.path().toStdString();
  Make(folder);
  EXPECT_TRUE(form->Form_Load());  // no pointer file: nothing said
  EXPECT_TRUE(dialogs.messages.empty());

  QFile cursor(temp.filePath(kHandCursorFile));
  ASSERT_TRUE(cursor.open(QIODevice::WriteOnly));
  cursor.write("not a cursor");
  cursor.close();
  Make(folder);
  EXPECT_TRUE(form->Form_Load());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            ErrorReportText(location::kForm1FormLoad, 110,
                            "Cannot load the pointer image " + folder + "/" + kHandCursorFile + ": not a cursor file"));
  EXPECT_FALSE(form->HasCustomPointerImage());
  EXPECT_EQ(form->Model().Count(), 44) << "start-up goes on";
}

TEST_F(Form1Test, SkinFileBesideTheProgramIsApplied) {
  ASSERT_TRUE(QDir(temp.path()).mkpath("x"));
  QFile skin(temp.path() + "/x/o.cjs");
  ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
  skin.write("QPushButton { color: navy; }");
  skin.close();
  Form1& window = Loaded(temp.path().toStdString());
  EXPECT_TRUE(window.SkinApplied());
  EXPECT_EQ(window.styleSheet(), "QPushButton { color: navy; }");
  EXPECT_NE(window.palette().color(QPalette::Window), QColor(Qt::white));
}

}  // namespace
}  // namespace tallowmere::testing
