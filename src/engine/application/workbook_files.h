#pragma once
// Writing a workbook of the engine as a file, for SaveAs (.xls, .xlsx) and
// ExportAsFixedFormat (PDF). Each replaces any file at path only when the whole new file
// was written, and throws AutomationError with a description naming path when the
// workbook cannot be stored in the format or the file cannot be written.

#include <string>

#include "engine/core/workbook.h"
#include "platform/files.h"

namespace tallowmere::engine {

void WriteXls(const WorkbookData& workbook, const std::string& path, FileSystem& files);
void WriteXlsx(const WorkbookData& workbook, const std::string& path, FileSystem& files);
// The printed page of one sheet of the workbook.
void WritePdf(const WorkbookData& workbook, const SheetData& sheet, const std::string& path, FileSystem& files);

}  // namespace tallowmere::engine
