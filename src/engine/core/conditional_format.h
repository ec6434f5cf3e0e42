#pragma once
// Conditional formats of a sheet: per range, conditions on each cell's value that give the
// cell a font colour and a fill while they hold, as a spreadsheet evaluates them. The
// writers put them into the files; the painter draws the look of the condition that holds.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// The most conditions one range takes, as many as a 97-2003 workbook holds.
inline constexpr std::size_t kMaxConditionsPerRange = 3;

// Adds the condition after the range's others (a range without conditions gets an entry of
// its own) and returns the condition's place: the index of the range's entry and of the
// condition in it. Throws EngineError for a fourth condition of a range, a formula that
// refers to cells (conditions compare with constants only), or a second formula missing
// for Between and NotBetween.
std::pair<std::size_t, std::size_t> AddFormatCondition(SheetData& sheet, const CellRect& range,
                                                       FormatConditionData condition);

// Whether the condition holds for a cell of that value. Numbers are compared, an empty
// cell counting as 0; text, logical and error values never hold. Between takes its two
// bounds in either order and includes them.
bool ConditionHolds(const FormatConditionData& condition, const Value& value);

// The condition whose look the cell at row, column shows with that value: the first that
// holds, of the sheet's conditional formats that cover the cell in their order; none when
// none holds.
const FormatConditionData* MatchingCondition(const SheetData& sheet, int row, int column, const Value& value);

// Removes the conditional formats whose range lies wholly inside range.
void RemoveConditionalFormatsInside(SheetData& sheet, const CellRect& range);

}  // namespace tallowmere::engine
