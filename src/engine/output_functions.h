#pragma once
// The engine's outputs that need libraries of their own: the picture of a range (the font
// libraries), the printed page (QtGui) and the .xlsx file (libxlsxwriter). Each lives in a
// module that is loaded the first time its function is asked for, so that a run that only
// lays out and saves a workbook loads none of those libraries, and a run that draws a
// picture loads neither Qt's GUI layer nor the .xlsx writer.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/workbook.h"

namespace tallowmere::engine {

struct PictureFunctions {
  // The picture of rect of sheet as a Windows BMP.
  std::vector<std::uint8_t> (*renderRangeBmp)(const WorkbookData& workbook, const SheetData& sheet,
                                              const CellRect& rect);
};

struct PageFunctions {
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
inline constexpr OutputModule kPictureModule{"tallowmere-picture.so", "tallowmere_picture_functions"};
inline constexpr OutputModule kPageModule{"tallowmere-page.so", "tallowmere_page_functions"};
inline constexpr OutputModule kXlsxModule{"tallowmere-xlsx.so", "tallowmere_xlsx_functions"};

}  // namespace tallowmere::engine
