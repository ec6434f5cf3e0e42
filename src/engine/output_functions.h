#pragma once
// The engine's outputs that need libraries of their own: the picture of a range and the
// printed page (QtGui), and the .xlsx file (libxlsxwriter). Each group lives in a module
// that is loaded the first time one of its functions is asked for, so that a run that
// only lays out and saves a workbook loads neither library, and a run that draws does
// not load the .xlsx writer.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/workbook.h"

namespace tallowmere::engine {

struct DrawingFunctions {
  // The picture of rect of sheet as a Windows BMP.
  std::vector<std::uint8_t> (*renderRangeBmp)(const WorkbookData& workbook, const SheetData& sheet,
                                              const CellRect& rect);
  // The sheet's printed page as a PDF document.
  std::vector<std::uint8_t> (*renderPdfPage)(const WorkbookData& workbook, const SheetData& sheet);
};

struct XlsxFunctions {
  // The workbook as an .xlsx file written at path.
  void (*writeXlsxFile)(const WorkbookData& workbook, const std::string& path);
};

// A module's file, and the function it exports that answers its functions, as
// extern "C" const <Functions>* <entry>().
struct OutputModule {
  const char* file;
  const char* entry;
};
inline constexpr OutputModule kDrawingModule{"tallowmere-drawing.so", "tallowmere_drawing_functions"};
inline constexpr OutputModule kXlsxModule{"tallowmere-xlsx.so", "tallowmere_xlsx_functions"};

}  // namespace tallowmere::engine
