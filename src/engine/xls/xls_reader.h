#pragma once
// Reads an Excel 97-2003 (BIFF8) workbook from a compound document.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// Reads the workbook at path. Throws EngineError with a clear description for a
// missing, damaged, truncated or foreign file; never allocates beyond what the file's
// own size justifies.
std::shared_ptr<WorkbookData> ReadXls(const std::string& path);

// The same for a workbook file held in memory (the bytes of a whole .xls file).
std::shared_ptr<WorkbookData> ReadXlsBytes(const std::uint8_t* data, std::size_t size);

}  // namespace tallowmere::engine
