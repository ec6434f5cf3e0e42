#include "engine/core/address.h"

#include <cctype>

namespace tallowmere::engine {
namespace {

// Reads "$"? letters at pos; the column number, or nothing.
std::optional<int> ReadColumn(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && text[pos] == '$') ++pos;
  int column = 0;
  std::size_t start = pos;
  while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(text[pos])) - 'A' + 1);
    if (column > kMaxColumns) return std::nullopt;
    ++pos;
  }
  if (pos == start) return std::nullopt;
  return column;
}

// Reads "$"? digits at pos; the row number, or nothing.
std::optional<int> ReadRow(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && text[pos] == '$') ++pos;
  int row = 0;
  std::size_t start = pos;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    row = row * 10 + (text[pos] - '0');
    if (row > kMaxRows) return std::nullopt;
    ++pos;
  }
  if (pos == start || row == 0) return std::nullopt;
  return row;
}

// One end of an address of the kind: (row, column); the part the kind leaves out is 0.
std::optional<std::pair<int, int>> ReadEnd(std::string_view text, std::size_t& pos, AddressKind kind) {
  std::optional<int> row = 0, column = 0;
  if (kind != AddressKind::Rows) column = ReadColumn(text, pos);
  if (column && kind != AddressKind::Columns) row = ReadRow(text, pos);
  if (!row || !column) return std::nullopt;
  return std::make_pair(*row, *column);
}

}  // namespace

std::optional<CellRect> ParseAddress(std::string_view text, AddressKind kind) {
  std::size_t pos = 0;
  auto first = ReadEnd(text, pos, kind);
  if (!first) return std::nullopt;
  auto last = first;
  if (pos < text.size() && text[pos] == ':') {
    ++pos;
    last = ReadEnd(text, pos, kind);
    if (!last) return std::nullopt;
  } else if (kind != AddressKind::Cells) {
    return std::nullopt;  // whole rows and columns are always written as a pair
  }
  if (pos != text.size()) return std::nullopt;
  CellRect rect{std::min(first->first, last->first), std::min(first->second, last->second),
                std::max(first->first, last->first), std::max(first->second, last->second)};
  if (kind == AddressKind::Rows) rect.firstColumn = 1, rect.lastColumn = kMaxColumns;
  if (kind == AddressKind::Columns) rect.firstRow = 1, rect.lastRow = kMaxRows;
  return rect;
}

std::string ColumnLetters(int column) {
  std::string letters;
  for (int n = column; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

bool IsWholeRows(const CellRect& rect) { return rect.firstColumn == 1 && rect.lastColumn == kMaxColumns; }
bool IsWholeColumns(const CellRect& rect) { return rect.firstRow == 1 && rect.lastRow == kMaxRows; }

std::string FormatAddress(const CellRect& r) {
  if (IsWholeRows(r) && !IsWholeColumns(r)) return std::to_string(r.firstRow) + ":" + std::to_string(r.lastRow);
  if (IsWholeColumns(r) && !IsWholeRows(r)) return ColumnLetters(r.firstColumn) + ":" + ColumnLetters(r.lastColumn);
  std::string first = ColumnLetters(r.firstColumn) + std::to_string(r.firstRow);
  if (r.IsOneCell()) return first;
  return first + ":" + ColumnLetters(r.lastColumn) + std::to_string(r.lastRow);
}

}  // namespace tallowmere::engine
