#pragma once
// The checks of the report parameters: the year and week fields when the focus leaves
// them, and the year range before a report is made. They compute the corrected text and
// the message; the caller writes the text back, shows the message (application title,
// OK, no icon) and keeps the focus or stops the command on a rejection.

#include <string>
#include <string_view>

#include "model/report_parameters.h"

namespace tallowmere {

struct FieldCheck {
  bool rejected = false;
  std::string text;     // the field's new text, also when nothing was rejected
  std::string message;  // "" when none
};

// A year field: below 100 counts as 20xx; below 1970, or too large to be a whole number,
// is rejected and replaced by currentYear. "24" -> "2024", "2024.4" -> "2024".
FieldCheck CheckYear(std::string_view fieldText, int currentYear);

// The week count: 1 to 100; beyond either end it is rejected and set to that end.
FieldCheck CheckWeekCount(std::string_view fieldText);

struct RangeCheck {
  bool rejected = false;
  std::string lastText;  // the last year field's new text
  std::string message;   // "" when none
};

// First and last year of the By Year (span 100) or By Month (span 10) range: the last
// may be neither before the first nor more than the span after it; when it is, it is set
// to the first. By Week only rewrites lastText as its numeric value and never rejects.
RangeCheck CheckYearRange(std::string_view firstText, std::string_view lastText, PeriodMode mode);

}  // namespace tallowmere
