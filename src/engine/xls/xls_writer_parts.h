#pragma once
// The two halves of the BIFF8 workbook stream: the workbook globals and one worksheet
// substream, each written record by record in the order the format requires.

#include <cstddef>
#include <vector>

#include "engine/core/workbook.h"
#include "engine/xls/biff8_stream.h"
#include "engine/xls/xls_writer_sst.h"
#include "engine/xls/xls_writer_styles.h"

namespace tallowmere::engine::biff8 {

// Writes the globals substream; returns, per sheet, the stream position of its
// BOUNDSHEET's sheet offset, to be patched once the sheet's position is known.
std::vector<std::size_t> WriteGlobals(RecordStream& out, const WorkbookData& workbook, const XlsStyles& styles,
                                      const SharedStrings& strings);

// Writes one worksheet substream.
void WriteSheet(RecordStream& out, const WorkbookData& workbook, const SheetData& sheet, bool active,
                const XlsStyles& styles, const SharedStrings& strings);

// Column width in characters as the COLINFO record stores it (1/256 of a character,
// with the padding a spreadsheet adds to every column, for Arial 10).
std::uint16_t ColumnWidthUnits(double characters);

}  // namespace tallowmere::engine::biff8
