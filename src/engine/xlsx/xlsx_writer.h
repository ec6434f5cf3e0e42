#pragma once
// Writes a workbook as an Office Open XML workbook (.xlsx) through libxlsxwriter.

#include <string>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// Writes the whole .xlsx file at path: every sheet with its values, formulas in A1
// notation with their results, formats in the palette's colours, column widths, row
// heights, merged areas, page setup and selection. The library writes the file by name
// (it cannot hand over the bytes), so give it a fresh file that replaces the real one
// only after success; its scratch files go to the same folder. The written file is read
// back: every part must be complete. Throws EngineError with a description when the
// workbook cannot be stored in the format or the file not written whole; the file at path
// may then hold part of the workbook.
void WriteXlsxFile(const WorkbookData& workbook, const std::string& path);

}  // namespace tallowmere::engine
