#include "model/report_parameters.h"

namespace tallowmere {

YearRangeFields YearRangeOf(PeriodMode mode) {
  if (mode == PeriodMode::Month) return {ParameterField::MonthFirstYear, ParameterField::MonthLastYear};
  return {ParameterField::FirstYear, ParameterField::LastYear};
}

ReportParameters SnapshotOf(const ParameterFields& fields) {
  ReportParameters p;
  p.company = fields.Text(ParameterField::Company);
  p.mode = fields.Mode();
  p.firstYear = fields.Text(ParameterField::FirstYear);
  p.lastYear = fields.Text(ParameterField::LastYear);
  p.monthFirstYear = fields.Text(ParameterField::MonthFirstYear);
  p.monthLastYear = fields.Text(ParameterField::MonthLastYear);
  p.weeks = fields.Text(ParameterField::Weeks);
  return p;
}

std::string& PlainParameterFields::Slot(ParameterField field) {
  switch (field) {
    case ParameterField::Company: return values_.company;
    case ParameterField::FirstYear: return values_.firstYear;
    case ParameterField::LastYear: return values_.lastYear;
    case ParameterField::Weeks: return values_.weeks;
    case ParameterField::MonthFirstYear: return values_.monthFirstYear;
    case ParameterField::MonthLastYear: break;
  }
  return values_.monthLastYear;
}

std::string PlainParameterFields::Text(ParameterField field) const {
  return const_cast<PlainParameterFields*>(this)->Slot(field);
}

void PlainParameterFields::SetText(ParameterField field, const std::string& text) { Slot(field) = text; }

}  // namespace tallowmere
