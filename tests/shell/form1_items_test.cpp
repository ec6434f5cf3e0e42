// The item commands: their checks in order, messages, selection and the restore.

#include "form1_fixture.h"

namespace tallowmere::testing {
namespace {

class ItemCommandsTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    Loaded();
    defaults = ListEntries();
  }
  void Rename(const std::string& item, const std::string& answer) {
    Select(item);
    dialogs.inputs = {answer};
    form->PushButton1_Click();
  }
  void Insert(const std::string& below, const std::string& answer) {
    Select(below);
    dialogs.inputs = {answer};
    form->PushButton2_Click();
  }
  std::vector<std::string> defaults;
};

TEST_F(ItemCommandsTest, CancelOrBlanksDoNothing) {
  for (const char* answer : {"", "    "}) {
    Rename("Rent", answer);
    Insert("Rent", answer);
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(ListEntries(), defaults);
  EXPECT_EQ(dialogs.inputPrompts[0], "Rename selected row to: |Rename Selected Row");
  EXPECT_EQ(dialogs.inputPrompts[1], "Enter new row: |Input New Row");
}

TEST_F(ItemCommandsTest, RenameChecksReservedFirstThenLengthThenUniqueness) {
  Rename("SUBTOTAL", "x");
  EXPECT_EQ(LastMessage(), "You can't rename this row.\r\nIt is reserved for system use.");
  EXPECT_EQ(dialogs.messages.back().title, "Tallowmere");
  EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::None);

  Rename("Rent", "Fe");
  EXPECT_EQ(LastMessage(), "Length of new row too small.\r\nPlease, enter more then few simbols.");
  EXPECT_EQ(ListEntries(), defaults);

  // The length counts the untrimmed answer.
  Rename("Rent", " F ");
  EXPECT_EQ(form->Model().Item(form->Model().FindItem(" F ")).Name, " F ");
  const int renamed = form->Model().FindItem(" F ");
  EXPECT_EQ(Selected(), renamed - 1);

  Rename(" F ", "Fee");
  EXPECT_EQ(form->Model().FindItem("Fee"), renamed);

  // Its own name again, or another item's, selects that item.
  Rename("Fee", "Cash Sales");
  EXPECT_EQ(LastMessage(), "Such row exist already.");
  EXPECT_EQ(Selected(), form->Model().FindItem("Cash Sales") - 1);
  EXPECT_FALSE(form->PaintingSuspended());
}

TEST_F(ItemCommandsTest, InsertChecksLengthAndFindsExistingByMatchForm) {
  Insert("Rent", "ab");
  EXPECT_EQ(LastMessage(), "Length of new row is too small.");
  for (const char* existing : {"Repairs & maintenance", "Repairs  maintenance"}) {
    Select("Rent");
    dialogs.messages.clear();
    Insert("Rent", existing);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(LastMessage(), "Such row exist already.");
    EXPECT_EQ(Selected(), 15);  // item 16
  }
  EXPECT_EQ(ListEntries(), defaults);

  Insert("Rent", "Parking");
  const int rent = form->Model().FindItem("Rent");
  EXPECT_EQ(form->Model().FindItem("Parking"), rent + 1);
  EXPECT_EQ(Selected(), rent);
  EXPECT_EQ(form->Model().Count(), 45);
  EXPECT_FALSE(form->PaintingSuspended());
}

TEST_F(ItemCommandsTest, DeleteAsksWithNoAsDefaultAndProtectsReservedItems) {
  Select("Cash Sales");
  form->PushButton4_Click();
  EXPECT_EQ(LastMessage(), "You can't delete this row.\r\nIt is reserved for system use.");

  Select("Rent");
  dialogs.answers = {MessageAnswer::No};
  form->PushButton4_Click();
  const ShownMessage& question = dialogs.messages.back();
  EXPECT_EQ(question.text, "Do you really want delete this row ?\r\n(Rent)");
  EXPECT_EQ(question.title, "Question");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_TRUE(question.defaultNo);
  EXPECT_EQ(ListEntries(), defaults);

  const int rent = form->Model().FindItem("Rent");
  dialogs.answers = {MessageAnswer::Yes};
  form->PushButton4_Click();
  EXPECT_EQ(form->Model().FindItem("Rent"), 0);
  EXPECT_EQ(Selected(), rent - 1);
  EXPECT_FALSE(form->PaintingSuspended());
}

TEST_F(ItemCommandsTest, RestoreResetsItemsAndParametersButKeepsMonthYears) {
  Insert("Rent", "Parking");
  form->SetText(ParameterField::Company, "Acme");
  form->SetText(ParameterField::FirstYear, "1999");
  form->SetText(ParameterField::Weeks, "9");
  form->SetText(ParameterField::MonthFirstYear, "2015");
  form->SetMode(PeriodMode::Week);

  dialogs.answers = {MessageAnswer::No};
  form->PushButton3_Click();
  EXPECT_EQ(form->Model().Count(), 45);
  EXPECT_EQ(dialogs.messages.back().text, "Do you really want restore default settings ?");
  EXPECT_TRUE(dialogs.messages.back().defaultNo);

  dialogs.answers = {MessageAnswer::Yes};
  form->PushButton3_Click();
  EXPECT_EQ(LastMessage(), "Default settings restored.");
  EXPECT_EQ(ListEntries(), defaults);
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text(ParameterField::Company), "");
  EXPECT_EQ(Text(ParameterField::FirstYear), Year());
  EXPECT_EQ(Text(ParameterField::LastYear), Year());
  EXPECT_EQ(Text(ParameterField::Weeks), "5");
  EXPECT_EQ(Text(ParameterField::MonthFirstYear), "2015");
  EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option3"});
  EXPECT_FALSE(form->PaintingSuspended());
}

// The restore's question guards it: when the question cannot be asked, the failure is
// reported and nothing is restored, from either button.
TEST_F(ItemCommandsTest, FailingRestoreQuestionStopsTheRestore) {
  for (const auto& [click, location] : {std::pair{&Form1::PushButton3_Click, "PushButton3_Click at line 100"},
                                        std::pair{&Form1::PushButton5_Click, "PushButton3_Click at line 100"}}) {
    Insert("Rent", "Parking");
    form->SetMode(PeriodMode::Week);
    dialogs.messages.clear();
    dialogs.failQuestions = true;
    (form.get()->*click)();
    dialogs.failQuestions = false;
    ASSERT_EQ(dialogs.messages.size(), 1u) << location;
    EXPECT_EQ(dialogs.messages[0].title, "Application Error");
    EXPECT_NE(LastMessage().find(location), std::string::npos) << LastMessage();
    EXPECT_NE(form->Model().FindItem("Parking"), 0) << "the table was restored";
    EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option2"});
  }
}

TEST_F(ItemCommandsTest, ClearResetEmptiesFieldsThenOffersRestore) {
  Insert("Rent", "Parking");
  dialogs.answers = {MessageAnswer::No};
  form->PushButton5_Click();
  for (ParameterField field : {ParameterField::Company, ParameterField::FirstYear, ParameterField::LastYear,
                               ParameterField::Weeks, ParameterField::MonthFirstYear, ParameterField::MonthLastYear})
    EXPECT_EQ(Text(field), "");
  EXPECT_EQ(store.values["Text6"], "");
  EXPECT_EQ(store.values["Text7"], "");
  EXPECT_EQ(form->Model().Count(), 45);

  dialogs.answers = {MessageAnswer::Yes};
  form->PushButton5_Click();
  EXPECT_EQ(ListEntries(), defaults);
  EXPECT_EQ(Text(ParameterField::FirstYear), Year());
  EXPECT_EQ(Text(ParameterField::Weeks), "5");
  EXPECT_EQ(Text(ParameterField::MonthFirstYear), "");
  EXPECT_EQ(Text(ParameterField::MonthLastYear), "");
}

TEST_F(ItemCommandsTest, SampleDataSetsMonthlyLayoutOnly) {
  form->SetMode(PeriodMode::Year);
  form->SetText(ParameterField::FirstYear, "1999");
  form->PushButton6_Click();
  EXPECT_EQ(Text(ParameterField::Company), "Quenwick");
  EXPECT_EQ(Text(ParameterField::MonthFirstYear), "2013");
  EXPECT_EQ(Text(ParameterField::MonthLastYear), "2013");
  EXPECT_EQ(store.values["Text6"], "2013");
  EXPECT_EQ(store.values["Text7"], "2013");
  EXPECT_EQ(CheckedOptions(), std::vector<std::string>{"Option3"});
  EXPECT_EQ(Text(ParameterField::FirstYear), "1999");
  EXPECT_EQ(ListEntries(), defaults);
}

TEST_F(ItemCommandsTest, CommandWithoutSelectionIsReportedNotCrashed) {
  form->Model().List().Select(-1);
  form->PushButton4_Click();
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_NE(dialogs.messages[0].text.find("PushButton4_Click at line 100"), std::string::npos);
  EXPECT_EQ(ListEntries(), defaults);
}

}  // namespace
}  // namespace tallowmere::testing
