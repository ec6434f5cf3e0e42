#pragma once
// How texts typed into fields or kept in the settings store become numbers and flags.
// Every conversion of that kind in the program goes through these functions.

#include <string>
#include <string_view>

namespace tallowmere {

// The number a text begins with: leading blanks and tabs skipped, an optional sign,
// digits with an optional decimal point and exponent. 0 when the text does not begin
// with a number ("", "abc"). "2024.4" gives 2024.4, " -5x" gives -5.
double NumericValue(std::string_view text);

// The numeric value of a text written back as plain decimal text: no exponent, no
// leading zeros, no trailing zeros in the fraction, the shortest digits that give the same
// number ("99999999999", "2024.5", "1e3" gives "1000", "abc" gives "0"). A number beyond
// the range of double ("1e400") has no such text and gives the text unchanged.
std::string PlainDecimalText(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (6.5 -> 6, 7.5 -> 8).
// Throws std::overflow_error("Overflow") when the result lies outside -2147483648 ..
// 2147483647.
int WholeNumber(double value);

// Numeric value of a text rounded to a whole number; throws like WholeNumber.
int WholeNumberOf(std::string_view text);

// Reads a stored flag: "True" or "False" in any letter case, or a number (0 is false,
// anything else true; blanks around it allowed). Throws std::invalid_argument("Type
// mismatch") for any other text.
bool ParseBoolean(std::string_view text);

// The stored form of a flag: "True" or "False".
std::string BooleanText(bool value);

// Texts equal, or text ending in end, when ASCII letters are compared without case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view end);

// The current calendar year of the system's local date, as four decimal digits.
std::string CurrentYearText();

}  // namespace tallowmere
