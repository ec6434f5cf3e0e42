#pragma once
// The parts of the .xlsx writer: the cell formats, one worksheet, and the check of what
// the library reports.

#include <xlsxwriter.h>

#include <optional>
#include <string>
#include <unordered_map>

#include "engine/workbook.h"

namespace tallowmere::engine::xlsx {

// Throws EngineError naming what failed when the library reports an error.
void Check(lxw_error error, const std::string& what);

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

}  // namespace tallowmere::engine::xlsx
