#pragma once
// Paints a range of a sheet as a spreadsheet shows it: fills, borders, then the texts of
// the evaluated values in their number formats, on any QPainter. One picture pixel is one
// unit of the painter's coordinates at 96 dpi; the picture's BMP and the printed page
// differ only in the device and the transformation they hand over.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QString>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/calc.h"
#include "engine/render/render_grid.h"
#include "engine/workbook.h"

namespace tallowmere::engine {

class RangePainter {
 public:
  RangePainter(const WorkbookData& workbook, const SheetData& sheet, const PictureGrid& grid);

  // Paints the picture's pixel rows [top, bottom) on painter, moved up by top: a device
  // that holds just those rows gets them at its top, and (0, height) paints the whole
  // picture at the painter's origin. Every cell that can touch the rows is painted, in
  // the same order as for the whole picture, so each pixel comes out as if the picture
  // were drawn at once.
  void PaintBand(QPainter& painter, int top, int bottom);

 private:
  std::pair<int, int> RowsTouching(int top, int bottom) const;
  const CellRect* MergeAt(int row, int column) const;
  const Style& StyleAt(int row, int column) const;
  QColor PaletteColor(int index, QColor automatic) const;
  QRect CellArea(int row, int column) const;
  void PaintFill(int row, int column);
  bool InsideOneMerge(int row1, int column1, int row2, int column2) const;
  void Line(const BorderSide& side, QPoint from, QPoint to);
  void PaintBorders(int row, int column);
  bool IsEmptyCell(int row, int column) const;
  QRect OverflowArea(int row, int column, QRect area, int textWidth, HAlign align);
  // A cell font with its metrics and the widths of the texts measured in it so far: a
  // sheet shows the same few texts ("0", "-") in the same few fonts over and over.
  struct TextFont {
    QFont font;
    QFontMetrics metrics;
    QHash<QString, int> widths;
  };
  TextFont& FontOf(const Style& style);
  static int WidthIn(TextFont& font, const QString& text);
  void PaintText(int row, int column);

  const WorkbookData& workbook_;
  const SheetData& sheet_;
  const PictureGrid& grid_;
  QPainter* painter_ = nullptr;  // the band being painted
  Calculator calculator_;
  std::vector<CellRect> merges_;  // merges of several cells inside the picture
  // By face, size, bold, italic. Measured for the first band's device: every band of one
  // drawing has the same resolution.
  std::map<std::tuple<std::string, double, bool, bool>, TextFont> fonts_;
};

}  // namespace tallowmere::engine
