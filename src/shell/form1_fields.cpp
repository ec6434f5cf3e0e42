// The report parameter fields of the main window: reading and setting them, selecting a
// field's text on entry, the checks when the focus leaves a year or week field, the start
// check, and storing the By Month years on every change.

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <string>

#include "model/parameter_checks.h"
#include "model/store_keys.h"
#include "model/text_values.h"
#include "shell/form1.h"

namespace tallowmere {

QLineEdit* Form1::Field(ParameterField field) const {
  switch (field) {
    case ParameterField::Company: return text1_;
    case ParameterField::FirstYear: return text2_;
    case ParameterField::LastYear: return text3_;
    case ParameterField::Weeks: return text4_;
    case ParameterField::MonthFirstYear: return text6_;
    case ParameterField::MonthLastYear: break;
  }
  return text7_;
}

std::string Form1::Text(ParameterField field) const { return Field(field)->text().toStdString(); }

void Form1::SetText(ParameterField field, const std::string& text) {
  Field(field)->setText(QString::fromStdString(text));
}

PeriodMode Form1::Mode() const {
  if (option1_->isChecked()) return PeriodMode::Year;
  if (option3_->isChecked()) return PeriodMode::Month;
  return PeriodMode::Week;
}

void Form1::SetMode(PeriodMode mode) {
  QRadioButton* option = mode == PeriodMode::Year ? option1_ : mode == PeriodMode::Month ? option3_ : option2_;
  option->setChecked(true);
}

void Form1::WatchFields() {
  connect(text6_, &QLineEdit::textChanged, this,
          [this](const QString& text) { StoreMonthField(store_key::kText6, text); });
  connect(text7_, &QLineEdit::textChanged, this,
          [this](const QString& text) { StoreMonthField(store_key::kText7, text); });
}

// The By Month years are stored, and flushed, at every change, typed or set by the
// program. A store that cannot be written is reported once, not at every keystroke.
void Form1::StoreMonthField(const char* key, const QString& text) {
  try {
    services_.store.Write(key, text.toStdString());
    services_.store.Flush();
  } catch (const std::exception& e) {
    if (monthStoreFailureShown_) return;
    monthStoreFailureShown_ = true;
    services_.dialogs.Message(std::string("The By Month years cannot be kept for the next start.\r\n") + e.what(),
                              kApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
  }
}

void Form1::FieldGotFocus(QLineEdit* edit, Qt::FocusReason reason) {
  edit->selectAll();
  // A click places the text cursor after the focus arrives; select again once it has.
  if (reason == Qt::MouseFocusReason) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
}

void Form1::FieldLostFocus(QLineEdit* edit, Qt::FocusReason reason) {
  // Switching to another window (a message box among them) is not leaving the field.
  if (edit == text1_ || refocusing_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (!CheckField(edit)) return;
  refocusing_ = true;
  edit->setFocus(Qt::OtherFocusReason);
  refocusing_ = false;
  // The field still handles the focus loss that brought us here, which clears its
  // selection; select the corrected value once that is done, so typing replaces it.
  QTimer::singleShot(0, edit, &QLineEdit::selectAll);
}

bool Form1::CheckField(QLineEdit* edit) {
  if (edit == text4_) return CheckWeekCount(ParameterField::Weeks);
  for (ParameterField field : {ParameterField::FirstYear, ParameterField::LastYear, ParameterField::MonthFirstYear,
                               ParameterField::MonthLastYear})
    if (edit == Field(field)) return CheckYear(field);
  return false;
}

bool Form1::CheckYear(ParameterField field) {
  const FieldCheck check = tallowmere::CheckYear(Text(field), std::stoi(CurrentYearText()));
  if (!check.message.empty())
    services_.dialogs.Message(check.message, kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
  SetText(field, check.text);
  return check.rejected;
}

bool Form1::CheckWeekCount(ParameterField field) {
  const FieldCheck check = tallowmere::CheckWeekCount(Text(field));
  if (!check.message.empty())
    services_.dialogs.Message(check.message, kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
  SetText(field, check.text);
  return check.rejected;
}

// By Year checks Text2..Text3, By Month Text6..Text7; By Week only tidies Text3.
bool Form1::CheckYearRange() {
  const PeriodMode mode = Mode();
  const YearRangeFields range = YearRangeOf(mode);
  const RangeCheck check = tallowmere::CheckYearRange(Text(range.first), Text(range.last), mode);
  if (!check.message.empty())
    services_.dialogs.Message(check.message, kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
  SetText(range.last, check.lastText);
  return check.rejected;
}

}  // namespace tallowmere
