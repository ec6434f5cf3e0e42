#pragma once
// Key names of the settings store, all within application key "Quenwick" and section
// "Tallowmere". Every read and write of these keys spells them through these constants.

#include <string>

namespace tallowmere::store_key {

// Window parameters, written when the main window closes.
inline constexpr const char* kCompany = "Company";
inline constexpr const char* kYear = "Year";    // By Year, first year
inline constexpr const char* kYear1 = "Year1";  // By Year, last year
inline constexpr const char* kWeeks = "Weeks";
inline constexpr const char* kIsYear = "IsYear";    // "True" when By Year is chosen
inline constexpr const char* kIsMonth = "IsMonth";  // "True" when By Month is chosen
// The By Month years, written on every change of their fields (the keys are the names
// of the window's fields that hold them).
inline constexpr const char* kText6 = "Text6";
inline constexpr const char* kText7 = "Text7";

// The template item table.
inline constexpr const char* kRows = "System Value - Rows";
inline constexpr const char* kColumns = "System Value - Columns";
inline constexpr const char* kSaved = "System Value - Saved";
// "Field1", "Field2", ...: the name of item number (from 1).
inline std::string FieldKey(int number) { return "Field" + std::to_string(number); }

// The numbers of a plan, absent from stores written before plans had them: the opening
// cash, Week 1's first day (YYYY-MM-DD), the minimum cash and "Amounts1", "Amounts2", ...:
// the amount rules of item number (from 1), read only with a saved table.
inline constexpr const char* kOpeningCash = "Opening Cash";
inline constexpr const char* kWeek1 = "Week 1 Begins";
inline constexpr const char* kMinimumCash = "Minimum Cash";
inline std::string AmountsKey(int number) { return "Amounts" + std::to_string(number); }

}  // namespace tallowmere::store_key
