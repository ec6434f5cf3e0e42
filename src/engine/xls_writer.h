#pragma once
// Writes a workbook as an Excel 97-2003 (BIFF8) file in a compound document.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/workbook.h"
#include "platform/files.h"

namespace tallowmere::engine {

// Writes workbook to path through files, replacing any file there only when the whole
// file was written. Throws AutomationError with a description when the file cannot be
// written.
void WriteXls(const WorkbookData& workbook, const std::string& path, FileSystem& files);

// The bytes of the "Workbook" stream that WriteXls puts in the compound document.
// Throws AutomationError for a formula that cannot be saved.
std::vector<std::uint8_t> BuildWorkbookStream(const WorkbookData& workbook);

}  // namespace tallowmere::engine
