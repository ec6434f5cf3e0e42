#pragma once
// Saving a workbook of the engine as an .xls file, for SaveAs.

#include <string>

#include "engine/workbook.h"
#include "platform/files.h"

namespace tallowmere::engine {

// Writes workbook to path through files, replacing any file there only when the whole
// file was written. Throws AutomationError with a description when the workbook cannot
// be stored in the format or the file cannot be written.
void WriteXls(const WorkbookData& workbook, const std::string& path, FileSystem& files);

}  // namespace tallowmere::engine
