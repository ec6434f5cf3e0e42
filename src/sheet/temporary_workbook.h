#pragma once
// Names of the temporary workbooks a report saves: "vormid" and eight digits from 1 to 9,
// ".xls", in the temporary folder. The report takes a name by creating its file
// exclusively, so two reports, even in two processes, never receive the same one.

#include <functional>
#include <string>

namespace tallowmere {

// A digit from 1 to 9.
using DigitSource = std::function<int()>;
// Draws uniformly distributed digits from a generator seeded once per process.
DigitSource RandomDigits();

// "vormid" followed by eight digits drawn from digits.
std::string DrawWorkbookStem(const DigitSource& digits);

}  // namespace tallowmere
