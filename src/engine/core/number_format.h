#pragma once
// Display of cell values through number format codes, as a spreadsheet shows them:
// "General", number codes ("0", "0.00", "#,##0", "0%", "0.00E+00", "???", "#,##0.0,," in
// millions), date and time codes ("m/d/yyyy", "mmm-yy", "d-mmm-yy", "h:mm AM/PM") and elapsed
// times ("[h]:mm"), up to four sections separated by ";"
// (positive; negative; zero; text), quoted and escaped literals, colours and conditions
// in brackets (ignored). Dates are serial numbers of the 1900 date system.

#include <string>

#include "engine/formula/formula.h"

namespace tallowmere::engine {

// The text shown for value under numberFormat. Text values are shown as they are, logical
// values as TRUE/FALSE, errors as "#DIV/0!" and so on, an empty cell as "". A date format
// applied to a number outside the calendar (negative or past 9999-12-31) gives "########".
// Never throws: an unusable format shows the value as General.
std::string FormatForDisplay(const Value& value, const std::string& numberFormat);

// True when the format's first section shows a date or time.
bool IsDateFormat(const std::string& numberFormat);

// A number as the General format shows it in a cell: at most 11 characters besides the
// sign, integers without decimals, very large and very small numbers in scientific form.
std::string FormatGeneral(double number);

}  // namespace tallowmere::engine
