#pragma once
// The parts of the .xlsx writer: the cell formats, one worksheet, the check of what the
// library reports and the check of the file it wrote.

#include <xlsxwriter.h>

#include <optional>
#include <string>
#include <unordered_map>

#include "engine/core/workbook.h"

namespace tallowmere::engine::xlsx {

// Throws EngineError naming what failed when the library reports an error.
void Check(lxw_error error, const std::string& what);

// Reads the written file at path back and throws EngineError unless it is a zip whose
// members are all complete XML: the library does not notice when the scratch files it
// builds the parts in are cut off (a full disk), and copies what they hold into the zip.
void CheckWrittenWhole(const std::string& path);

// The library's cell formats for the engine's styles, each made once, on first use.
class XlsxFormats {
 public:
  XlsxFormats(lxw_workbook* book, const WorkbookData& workbook) : book_(book), workbook_(workbook) {}

  // The format of a style. The default style gets one too: the file's own default
  // format is not the engine's (Arial 10).
  lxw_format* Of(StyleId style);

 private:
  lxw_format* Make(const Style& style);
  // A palette entry (1..56) as the library takes a colour; nothing for automatic.
  std::optional<lxw_color_t> PaletteColor(int index) const;

  lxw_workbook* book_;
  const WorkbookData& workbook_;
  std::unordered_map<StyleId, lxw_format*> formats_;
};

// Writes the columns, rows, merged areas, cells, page setup and selection of one sheet.
void WriteSheet(lxw_worksheet* worksheet, const SheetData& sheet, XlsxFormats& formats);

// Inserts the sheet's charts into the worksheet as native line charts of the workbook.
void WriteCharts(lxw_workbook* book, lxw_worksheet* worksheet, const SheetData& sheet);
// Writes the sheet's conditional formats, each condition with a format of its own.
void WriteConditionalFormats(lxw_workbook* book, lxw_worksheet* worksheet, const SheetData& sheet);

}  // namespace tallowmere::engine::xlsx
