// The item commands of the main window: rename, insert, delete, restore the defaults,
// clear the parameters and load the sample parameters. Each runs its numbered steps under
// the error trap; the model's edits trust the checks made here.

#include <string>
#include <string_view>

#include "model/item_name_checks.h"
#include "platform/error_report.h"
#include "shell/form1.h"

namespace tallowmere {

namespace {

constexpr const char* kQuestionTitle = "Question";
constexpr const char* kSuchRowExists = "Such row exist already.";

void Tell(Dialogs& dialogs, const std::string& text) {
  dialogs.Message(text, kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
}

bool AskYes(Dialogs& dialogs, const std::string& text) {
  return dialogs.Message(text, kQuestionTitle, MessageButtons::YesNo, MessageIcon::None, true) == MessageAnswer::Yes;
}

}  // namespace

int Form1::SelectedItemNumber() const { return listView_.Selected() + 1; }

// A name the table already holds: say so and select that item. Four steps numbered from
// firstLine, as rename and insert share them.
void Form1::ShowExistingItem(ErrorTrap& trap, int firstLine, const std::string& answer) {
  trap.Run(firstLine, [&] { Tell(services_.dialogs, kSuchRowExists); });
  trap.Run(firstLine + 2, [&] { SuspendPainting(); });
  trap.Run(firstLine + 4, [&] { listView_.Select(model_->FindItem(answer) - 1); });
  trap.Run(firstLine + 6, [&] { ResumePainting(); });
}

void Form1::PushButton1_Click() {
  Dialogs& dialogs = services_.dialogs;
  ErrorTrap trap(dialogs, location::kForm1PushButton1Click);
  std::string answer;
  trap.Run(100, [&] { answer = dialogs.Input("Rename selected row to: ", "Rename Selected Row"); });
  if (trap.Test(102, [&] { return IsBlankName(answer); })) return;
  if (trap.Test(104, [&] { return IsReservedItem(model_->Item(SelectedItemNumber()).Name); })) {
    trap.Run(106, [&] { Tell(dialogs, "You can't rename this row.\r\nIt is reserved for system use."); });
    return;
  }
  if (trap.Test(108, [&] { return IsTooShortName(answer); })) {
    trap.Run(110, [&] { Tell(dialogs, "Length of new row too small.\r\nPlease, enter more then few simbols."); });
    return;
  }
  if (trap.Test(112, [&] { return IsNameInUse(*model_, answer); })) {
    ShowExistingItem(trap, 114, answer);
    return;
  }
  trap.Run(122, [&] { SuspendPainting(); });
  trap.Run(124, [&] { model_->RenameItem(answer, SelectedItemNumber()); });
  trap.Run(126, [&] { ResumePainting(); });
}

void Form1::PushButton2_Click() {
  Dialogs& dialogs = services_.dialogs;
  ErrorTrap trap(dialogs, location::kForm1PushButton2Click);
  std::string answer;
  trap.Run(100, [&] { answer = dialogs.Input("Enter new row: ", "Input New Row"); });
  if (trap.Test(102, [&] { return IsBlankName(answer); })) return;
  if (trap.Test(104, [&] { return IsTooShortName(answer); })) {
    trap.Run(106, [&] { Tell(dialogs, "Length of new row is too small."); });
    return;
  }
  if (trap.Test(108, [&] { return IsNameInUse(*model_, answer); })) {
    ShowExistingItem(trap, 110, answer);
    return;
  }
  trap.Run(118, [&] { SuspendPainting(); });
  trap.Run(120, [&] { model_->InsertItem(answer, SelectedItemNumber()); });
  trap.Run(122, [&] { ResumePainting(); });
}

void Form1::PushButton4_Click() {
  Dialogs& dialogs = services_.dialogs;
  ErrorTrap trap(dialogs, location::kForm1PushButton4Click);
  if (trap.Test(100, [&] { return IsReservedItem(model_->Item(SelectedItemNumber()).Name); })) {
    trap.Run(102, [&] { Tell(dialogs, "You can't delete this row.\r\nIt is reserved for system use."); });
    return;
  }
  bool confirmed = false;
  trap.Run(104, [&] {
    const std::string& name = model_->Item(SelectedItemNumber()).Name;
    confirmed = AskYes(dialogs, "Do you really want delete this row ?\r\n(" + name + ")");
  });
  if (!confirmed) return;
  trap.Run(106, [&] { SuspendPainting(); });
  trap.Run(108, [&] { model_->DeleteItem(SelectedItemNumber()); });
  trap.Run(110, [&] { ResumePainting(); });
}

void Form1::PushButton3_Click() {
  Dialogs& dialogs = services_.dialogs;
  ErrorTrap trap(dialogs, location::kForm1PushButton3Click);
  // The question is a test: when it fails, the step it guards (stop) runs.
  if (trap.Test(100, [&] { return !AskYes(dialogs, "Do you really want restore default settings ?"); })) return;
  trap.Run(102, [&] { SuspendPainting(); });
  trap.Run(104, [&] { model_->LoadTemplate(true, services_.store, *this); });
  trap.Run(106, [&] { ResumePainting(); });
  trap.Run(108, [&] { Tell(dialogs, "Default settings restored."); });
}

void Form1::PushButton5_Click() {
  ErrorTrap trap(services_.dialogs, location::kForm1PushButton5Click);
  int line = 100;
  // Text1, Text2, Text3, Text4, Text6, Text7 in turn.
  for (ParameterField field : {ParameterField::Company, ParameterField::FirstYear, ParameterField::LastYear,
                               ParameterField::Weeks, ParameterField::MonthFirstYear, ParameterField::MonthLastYear}) {
    trap.Run(line, [&] { SetText(field, ""); });
    line += 2;
  }
  trap.Run(112, [&] { PushButton3_Click(); });
}

void Form1::PushButton6_Click() {
  ErrorTrap trap(services_.dialogs, location::kForm1PushButton6Click);
  trap.Run(100, [&] { SetText(ParameterField::Company, "Quenwick"); });
  trap.Run(102, [&] { SetText(ParameterField::MonthFirstYear, "2013"); });
  trap.Run(104, [&] { SetText(ParameterField::MonthLastYear, "2013"); });
  trap.Run(106, [&] { SetMode(PeriodMode::Month); });
}

}  // namespace tallowmere
