#include "model/report_parameters.h"

namespace tallowmere {

PeriodMode ReportParameters::Mode() const {
  if (option1) return PeriodMode::Year;
  if (option3) return PeriodMode::Month;
  return PeriodMode::Week;
}

ReportParameters SnapshotOf(const ParameterFields& fields) {
  ReportParameters p;
  p.text1 = fields.Text(TextField::Text1);
  p.text2 = fields.Text(TextField::Text2);
  p.text3 = fields.Text(TextField::Text3);
  p.text4 = fields.Text(TextField::Text4);
  p.text6 = fields.Text(TextField::Text6);
  p.text7 = fields.Text(TextField::Text7);
  p.option1 = fields.Option(OptionButton::Option1);
  p.option2 = fields.Option(OptionButton::Option2);
  p.option3 = fields.Option(OptionButton::Option3);
  return p;
}

PlainParameterFields::PlainParameterFields(const ReportParameters& values) : values_(values) {}

std::string& PlainParameterFields::Slot(TextField field) {
  switch (field) {
    case TextField::Text1: return values_.text1;
    case TextField::Text2: return values_.text2;
    case TextField::Text3: return values_.text3;
    case TextField::Text4: return values_.text4;
    case TextField::Text6: return values_.text6;
    case TextField::Text7: break;
  }
  return values_.text7;
}

std::string PlainParameterFields::Text(TextField field) const {
  return const_cast<PlainParameterFields*>(this)->Slot(field);
}

void PlainParameterFields::SetText(TextField field, const std::string& text) { Slot(field) = text; }

bool PlainParameterFields::Option(OptionButton button) const {
  switch (button) {
    case OptionButton::Option1: return values_.option1;
    case OptionButton::Option2: return values_.option2;
    case OptionButton::Option3: break;
  }
  return values_.option3;
}

void PlainParameterFields::SetOption(OptionButton button, bool selected) {
  if (selected) values_.option1 = values_.option2 = values_.option3 = false;
  switch (button) {
    case OptionButton::Option1: values_.option1 = selected; break;
    case OptionButton::Option2: values_.option2 = selected; break;
    case OptionButton::Option3: values_.option3 = selected; break;
  }
}

}  // namespace tallowmere
