#pragma once
// The worksheet part of the BIFF8 reader: the records of one sheet substream (cells,
// formulas, rows, columns, merges, page setup, window selection, conditional formats)
// into a SheetData.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/workbook.h"
#include "engine/xls/internal/xls_reader_styles.h"
#include "engine/xls/xls_reader_records.h"

namespace tallowmere::engine::xls {

// What the workbook globals give every sheet.
struct SheetContext {
  const std::vector<std::string>& sharedStrings;
  const StyleCollector& styles;
  const std::array<std::uint32_t, 56>& palette;
};

// Reads the substream starting with the BOF record at the stream's current position up
// to its EOF record.
void ReadSheetSubstream(RecordStream& records, const SheetContext& context, SheetData& sheet);

}  // namespace tallowmere::engine::xls
