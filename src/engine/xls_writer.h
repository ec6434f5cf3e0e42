#pragma once
// Writes a workbook as an Excel 97-2003 (BIFF8) file in a compound document.

#include <string>

#include "engine/workbook.h"

namespace tallowmere::engine {

// Writes workbook to path, replacing any file there only when the whole file was written.
// Throws AutomationError with a description when the file cannot be written.
void WriteXls(const WorkbookData& workbook, const std::string& path);

}  // namespace tallowmere::engine
