#include "engine/core/sheet_format.h"

#include <algorithm>
#include <climits>

#include "engine/core/address.h"
#include "engine/core/conditional_format.h"

namespace tallowmere::engine {
namespace {

// Applies the change to style ids, once per distinct (style, edges): a large range of
// a few styles costs a few interning steps.
class Restyler {
 public:
  Restyler(StyleTable& styles, const StyleChange& change) : styles_(styles), change_(change) {}
  StyleId operator()(StyleId old, unsigned edges) {
    auto key = std::make_pair(old, edges);
    if (key == lastKey_) return lastId_;  // runs of equal cells are the usual case
    auto it = cache_.find(key);
    if (it == cache_.end()) {
      Style style = styles_.Get(old);
      change_(style, edges);
      it = cache_.emplace(key, styles_.Intern(style)).first;
    }
    lastKey_ = key;
    lastId_ = it->second;
    return lastId_;
  }

 private:
  StyleTable& styles_;
  const StyleChange& change_;
  std::map<std::pair<StyleId, unsigned>, StyleId> cache_;
  std::pair<StyleId, unsigned> lastKey_{~StyleId{0}, 0};
  StyleId lastId_ = 0;
};

unsigned RowEdges(const CellRect& r, int row) {
  return (row == r.firstRow ? kEdgeTop : 0u) | (row == r.lastRow ? kEdgeBottom : 0u);
}
unsigned ColumnEdges(const CellRect& r, int column) {
  return (column == r.firstColumn ? kEdgeLeft : 0u) | (column == r.lastColumn ? kEdgeRight : 0u);
}
bool Contains(const CellRect& r, int row, int column) {
  return row >= r.firstRow && row <= r.lastRow && column >= r.firstColumn && column <= r.lastColumn;
}

void RestyleExistingCells(SheetData& sheet, const CellRect& range, Restyler& restyle) {
  auto& cells = sheet.Cells();
  auto it = cells.lower_bound({range.firstRow, 0});
  auto end = cells.upper_bound({range.lastRow, INT_MAX});
  for (; it != end; ++it) {
    auto [row, column] = it->first;
    if (column < range.firstColumn || column > range.lastColumn) continue;
    it->second.style = restyle(it->second.style, RowEdges(range, row) | ColumnEdges(range, column));
  }
}

void ApplyToSheet(SheetData& sheet, const CellRect& range, Restyler& restyle) {
  sheet.sheetStyle = restyle(sheet.sheetStyle, 0);
  for (auto& [row, style] : sheet.rowStyles) style = restyle(style, 0);
  for (auto& [column, style] : sheet.columnStyles) style = restyle(style, 0);
  RestyleExistingCells(sheet, range, restyle);
}

void ApplyToRows(SheetData& sheet, const CellRect& range, Restyler& restyle) {
  // Where a formatted column crosses the rows, the cell keeps the column's look and
  // gets the change on top: it needs a cell of its own.
  for (int row = range.firstRow; row <= range.lastRow; ++row) {
    for (const auto& [column, style] : sheet.columnStyles) sheet.At(row, column);
  }
  RestyleExistingCells(sheet, range, restyle);
  for (int row = range.firstRow; row <= range.lastRow; ++row) {
    auto it = sheet.rowStyles.find(row);
    StyleId base = it == sheet.rowStyles.end() ? sheet.sheetStyle : it->second;
    sheet.rowStyles[row] = restyle(base, RowEdges(range, row));
  }
}

void ApplyToColumns(SheetData& sheet, const CellRect& range, Restyler& restyle) {
  for (const auto& [row, style] : sheet.rowStyles) {
    for (int column = range.firstColumn; column <= range.lastColumn; ++column) sheet.At(row, column);
  }
  RestyleExistingCells(sheet, range, restyle);
  for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
    auto it = sheet.columnStyles.find(column);
    StyleId base = it == sheet.columnStyles.end() ? sheet.sheetStyle : it->second;
    sheet.columnStyles[column] = restyle(base, ColumnEdges(range, column));
  }
}

void ApplyToRectangle(SheetData& sheet, const CellRect& range, Restyler& restyle) {
  // Walks each row of the rectangle once, creating the missing cells in place: the cost
  // per cell stays constant however many cells the sheet holds.
  auto& cells = sheet.Cells();
  for (int row = range.firstRow; row <= range.lastRow; ++row) {
    auto it = cells.lower_bound({row, range.firstColumn});
    for (int column = range.firstColumn; column <= range.lastColumn; ++column, ++it) {
      const std::pair<int, int> position{row, column};
      if (it == cells.end() || it->first != position) {
        Cell cell;
        cell.style = sheet.InheritedStyle(row, column);
        it = cells.emplace_hint(it, position, std::move(cell));
      }
      it->second.style = restyle(it->second.style, RowEdges(range, row) | ColumnEdges(range, column));
    }
  }
}

}  // namespace

void ApplyStyleChange(WorkbookData& workbook, SheetData& sheet, const CellRect& range, const StyleChange& change) {
  Restyler restyle(workbook.styles, change);
  bool rows = IsWholeRows(range), columns = IsWholeColumns(range);
  if (rows && columns) {
    ApplyToSheet(sheet, range, restyle);
  } else if (rows) {
    ApplyToRows(sheet, range, restyle);
  } else if (columns) {
    ApplyToColumns(sheet, range, restyle);
  } else {
    ApplyToRectangle(sheet, range, restyle);
  }
}

void ClearRange(SheetData& sheet, const CellRect& range) {
  if (IsWholeRows(range) && IsWholeColumns(range)) {
    sheet.Cells().clear();
    sheet.rowStyles.clear();
    sheet.columnStyles.clear();
    sheet.sheetStyle = 0;
    sheet.merges.clear();
    sheet.conditionalFormats.clear();
    return;
  }
  auto& cells = sheet.Cells();
  for (auto it = cells.lower_bound({range.firstRow, 0}); it != cells.end() && it->first.first <= range.lastRow;) {
    it = Contains(range, it->first.first, it->first.second) ? cells.erase(it) : std::next(it);
  }
  if (IsWholeRows(range)) {
    sheet.rowStyles.erase(sheet.rowStyles.lower_bound(range.firstRow), sheet.rowStyles.upper_bound(range.lastRow));
  } else if (IsWholeColumns(range)) {
    sheet.columnStyles.erase(sheet.columnStyles.lower_bound(range.firstColumn),
                             sheet.columnStyles.upper_bound(range.lastColumn));
  } else if (!sheet.rowStyles.empty() || !sheet.columnStyles.empty() || sheet.sheetStyle != 0) {
    // A cleared cell shows the default style even inside a formatted row or column.
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
      for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
        if (sheet.InheritedStyle(row, column) != 0) sheet.At(row, column).style = 0;
      }
    }
  }
  std::erase_if(sheet.merges, [&](const CellRect& m) {
    return Contains(range, m.firstRow, m.firstColumn) && Contains(range, m.lastRow, m.lastColumn);
  });
  RemoveConditionalFormatsInside(sheet, range);
}

bool HasContentOrOwnFormat(const SheetData& sheet, int row, int column, const Cell& cell) {
  return cell.HasContent() || cell.style != sheet.InheritedStyle(row, column);
}

CellRect UsedRect(const SheetData& sheet) {
  bool any = false;
  CellRect used;
  for (const auto& [position, cell] : sheet.Cells()) {
    auto [row, column] = position;
    if (!HasContentOrOwnFormat(sheet, row, column, cell)) continue;
    if (!any) {
      used = {row, column, row, column};
      any = true;
    }
    used.firstRow = std::min(used.firstRow, row);
    used.lastRow = std::max(used.lastRow, row);
    used.firstColumn = std::min(used.firstColumn, column);
    used.lastColumn = std::max(used.lastColumn, column);
  }
  return used;
}

std::optional<CellRect> PrintAreaRect(const SheetData& sheet) {
  return ParseAddress(sheet.pageSetup.printArea, AddressKind::Cells);
}

}  // namespace tallowmere::engine
