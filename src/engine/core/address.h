#pragma once
// A1 addresses of the built-in engine: "B2", "B4:P50", whole rows "5:5" and whole
// columns "D:D" ("$" markers allowed), within the limits of a 97-2003 sheet.

#include <optional>
#include <string>
#include <string_view>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

enum class AddressKind { Cells, Rows, Columns };

// The rectangle an address names, or nothing when the text is not an address of the
// given kind. Whole rows span every column and whole columns every row.
std::optional<CellRect> ParseAddress(std::string_view text, AddressKind kind);

// Column letters of column 1..256 ("A".."IV").
std::string ColumnLetters(int column);
// "B2" or "A1:P46"; whole rows and columns in their short form ("5:5", "D:D").
std::string FormatAddress(const CellRect& rect);

bool IsWholeRows(const CellRect& rect);     // every column of its rows
bool IsWholeColumns(const CellRect& rect);  // every row of its columns

}  // namespace tallowmere::engine
