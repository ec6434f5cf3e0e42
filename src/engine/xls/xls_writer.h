#pragma once
// Writes a workbook as an Excel 97-2003 (BIFF8) file in a compound document.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// The bytes of the whole .xls file: the compound document holding the workbook stream.
// Throws EngineError with a description when the workbook cannot be stored in the format.
std::vector<std::uint8_t> BuildXlsFile(const WorkbookData& workbook);

// The bytes of the "Workbook" stream that BuildXlsFile puts in the compound document.
// Throws EngineError for a formula that cannot be saved.
std::vector<std::uint8_t> BuildWorkbookStream(const WorkbookData& workbook);

}  // namespace tallowmere::engine
