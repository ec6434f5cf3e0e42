#pragma once
// The built-in engine's workbook: sheets of sparse cells, interned cell styles, sheet,
// row and column formats, merges, page setup and the palette. Plain data plus the few
// operations that keep it consistent; the object-model classes (application/) drive it,
// the xls writer and reader turn it into a file and back, the renderer draws it.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/cell_store.h"
#include "engine/core/chart.h"
#include "engine/formula/formula.h"

namespace tallowmere::engine {

// Colour indexes as the object model uses them: 1..56 into the palette, or these.
inline constexpr int kColorAutomatic = -4105;
inline constexpr int kColorNone = -4142;

enum class HAlign : std::uint8_t { General, Left, Center, Right };
enum class VAlign : std::uint8_t { Bottom, Center, Top };

struct Font {
  std::string name = "Arial";
  double size = 10.0;  // points
  bool bold = false;
  bool italic = false;
  int colorIndex = kColorAutomatic;
  bool operator==(const Font&) const = default;
};

// One side of a cell's border: a thin line in a palette colour, or none.
struct BorderSide {
  bool line = false;
  int colorIndex = kColorAutomatic;
  bool operator==(const BorderSide&) const = default;
};

struct Style {
  Font font;
  int fillColorIndex = kColorNone;  // solid fill with a palette colour, or none
  HAlign horizontal = HAlign::General;
  VAlign vertical = VAlign::Bottom;
  bool wrap = false;
  std::string numberFormat = "General";
  BorderSide left, top, right, bottom;
  bool operator==(const Style&) const = default;
};

using StyleId = std::uint32_t;

struct StyleHash {
  std::size_t operator()(const Style& style) const;
};

// Interned styles: equal styles share one id; id 0 is the default style.
class StyleTable {
 public:
  StyleTable();
  StyleId Intern(const Style& style);
  const Style& Get(StyleId id) const { return styles_[id]; }
  std::size_t Size() const { return styles_.size(); }

 private:
  std::vector<Style> styles_;
  std::unordered_map<Style, StyleId, StyleHash> index_;
};

struct Cell {
  Value value;         // the constant, or the cached result of the formula
  FormulaPtr formula;  // null for a constant
  StyleId style = 0;
  bool HasContent() const { return formula != nullptr || value.type != Value::Type::Empty; }
};

// A rectangle of cells, rows and columns from 1, inclusive.
struct CellRect {
  int firstRow = 1, firstColumn = 1, lastRow = 1, lastColumn = 1;
  bool IsOneCell() const { return firstRow == lastRow && firstColumn == lastColumn; }
  bool operator==(const CellRect&) const = default;
};

// A condition on a cell's value (see conditional_format.h) and the look it gives while it
// holds: font and fill colours as 0xRRGGBB, each optional.
struct FormatConditionData {
  enum class Operator : std::uint8_t { Between, NotBetween, Equal, NotEqual, Greater, Less, GreaterEqual, LessEqual };
  Operator op = Operator::Less;
  FormulaPtr formula1, formula2;  // formula2 for Between and NotBetween only
  std::optional<std::uint32_t> fontRgb, fillRgb;
};

// The conditions of one range, tried in order; the first that holds wins.
struct ConditionalFormat {
  CellRect range;
  std::vector<FormatConditionData> conditions;
};

struct PageSetupData {
  std::string printArea;                                 // A1 address, "" for none
  double leftMargin = 0.7 * 72, rightMargin = 0.7 * 72;  // points
  double topMargin = 0.75 * 72, bottomMargin = 0.75 * 72;
  double headerMargin = 0.3 * 72, footerMargin = 0.3 * 72;
  bool printComments = false;
  bool landscape = false;
  int paperSize = 9;
  bool fitToPages = false;  // Zoom = False
  int fitWide = 1, fitTall = 1;
  int zoom = 100;
  bool operator==(const PageSetupData&) const = default;
};

// The column width of a new sheet, in characters.
inline constexpr double kStandardColumnWidth = 8.43;

class SheetData {
 public:
  std::string name;

  // Cells by position; Find returns null for a cell never written or formatted.
  const Cell* Find(int row, int column) const;
  Cell* Find(int row, int column);
  // The cell, created when missing with the style it shows now (row, column or sheet format).
  Cell& At(int row, int column);
  // Every existing cell in row-major order.
  const CellStore<Cell>& Cells() const { return cells_; }
  CellStore<Cell>& Cells() { return cells_; }

  // The style a cell shows: its own, else its row's, else its column's, else the sheet's.
  StyleId EffectiveStyle(int row, int column) const;
  // The style a cell without its own formatting would show (row, column or sheet format).
  StyleId InheritedStyle(int row, int column) const;
  double RowHeight(int row) const;       // points
  double ColumnWidth(int column) const;  // characters
  // The merged area holding the cell, or null.
  const CellRect* MergeAt(int row, int column) const;

  StyleId sheetStyle = 0;
  std::map<int, StyleId> rowStyles;     // whole-row formats
  std::map<int, StyleId> columnStyles;  // whole-column formats
  std::map<int, double> rowHeights;     // points; rows not listed have the default
  std::map<int, double> columnWidths;   // characters; columns not listed have the default
  double defaultRowHeight = 12.75;
  double defaultColumnWidth = kStandardColumnWidth;

  std::vector<CellRect> merges;
  std::vector<ConditionalFormat> conditionalFormats;  // in the order their ranges got them
  PageSetupData pageSetup;
  std::vector<ChartData> charts;   // lying on the sheet, in the order they were added
  CellRect selection{3, 3, 3, 3};  // as the window shows it when the file opens
  int activeRow = 1, activeColumn = 1;

 private:
  CellStore<Cell> cells_;
};

class WorkbookData {
 public:
  WorkbookData();
  StyleTable styles;
  std::array<std::uint32_t, 56> palette;  // 0xBBGGRR as the object model's colour values
  std::vector<std::shared_ptr<SheetData>> sheets;
  int activeSheet = 0;  // index into sheets

  // The colour of palette entry index (1 to 56) as 0xRRGGBB; none for another index.
  std::optional<std::uint32_t> PaletteRgb(int index) const;

  static const std::array<std::uint32_t, 56>& DefaultPalette();
};

}  // namespace tallowmere::engine
