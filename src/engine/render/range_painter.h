#pragma once
// Paints a range of a sheet as a spreadsheet shows it: fills, borders, then the texts of
// the evaluated values in their number formats, on any canvas; a cell whose conditional
// format holds takes that condition's fill and font colour. One canvas pixel is one
// pixel of the picture at 96 dpi; the picture's BMP and the printed page differ only in
// the canvas they hand over.

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "engine/core/calc.h"
#include "engine/core/workbook.h"
#include "engine/render/canvas.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {

class RangePainter {
 public:
  RangePainter(const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid);

  // Paints the whole picture on canvas, its top left at the canvas's origin.
  void Paint(Canvas& canvas);
  // Paints what lies on the picture's pixel rows top to bottom, and maybe a little more.
  void Paint(Canvas& canvas, int top, int bottom);

 private:
  int RowAt(int y) const;
  const CellRect* MergeAt(int row, int column) const;
  const Style& StyleAt(int row, int column) const;
  Canvas::Rgb PaletteColor(int index, Canvas::Rgb automatic) const;
  PixelRect CellArea(int row, int column) const;
  void PaintFill(int row, int column);
  bool InsideOneMerge(int row1, int column1, int row2, int column2) const;
  void Line(const BorderSide& side, int x1, int y1, int x2, int y2);
  void PaintBorders(int row, int column);
  bool IsEmptyCell(int row, int column) const;
  PixelRect OverflowArea(int row, int column, PixelRect area, int textWidth, HAlign align);
  // A cell font's handle and the widths of the texts measured in it so far: a sheet shows
  // the same few texts ("0", "-") in the same few fonts over and over.
  struct TextFont {
    int handle;
    std::unordered_map<std::string, int> widths;
  };
  TextFont& FontOf(const Style& style);
  int WidthIn(TextFont& font, const std::string& text);
  void PaintText(int row, int column);
  void PaintCharts(int top, int bottom);
  // The condition of a conditional format that holds for the cell, or null.
  const FormatConditionData* ConditionAt(int row, int column);

  const WorkbookData& workbook_;
  const SheetData& sheet_;
  const PictureGrid& grid_;
  Canvas* canvas_ = nullptr;  // the canvas being painted
  Calculator calculator_;
  std::vector<CellRect> merges_;  // merges of several cells inside the picture
  // By face, size, bold, italic, for the canvas being painted.
  std::map<std::tuple<std::string, double, bool, bool>, TextFont> fonts_;
};

}  // namespace tallowmere::engine
