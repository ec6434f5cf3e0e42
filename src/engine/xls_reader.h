#pragma once
// Reads an Excel 97-2003 (BIFF8) workbook from a compound document.

#include <memory>
#include <string>

#include "engine/workbook.h"

namespace tallowmere::engine {

// Reads the workbook at path. Throws AutomationError with a clear description for a
// missing, damaged, truncated or foreign file; never allocates beyond what the file's
// own size justifies.
std::shared_ptr<WorkbookData> ReadXls(const std::string& path);

}  // namespace tallowmere::engine
