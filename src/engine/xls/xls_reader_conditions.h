#pragma once
// The conditional formats of a sheet substream: each CONDFMT record's range and the CF
// records after it. Conditions that compare the cell value with constants are kept, with
// their font and fill colours from the workbook's palette; other conditions are skipped.

#include <array>
#include <cstdint>
#include <optional>

#include "engine/core/workbook.h"
#include "engine/xls/xls_reader_records.h"

namespace tallowmere::engine::xls {

class ConditionalFormatReader {
 public:
  explicit ConditionalFormatReader(const std::array<std::uint32_t, 56>& palette) : palette_(palette) {}

  void ReadCondFmt(RecordCursor& cursor);
  void ReadCf(RecordCursor& cursor, SheetData& sheet);

 private:
  std::optional<std::uint32_t> Colour(std::uint32_t icv) const;  // 0xRRGGBB of a palette entry

  const std::array<std::uint32_t, 56>& palette_;
  std::optional<CellRect> range_;  // of the CONDFMT whose CF records are being read
  int remaining_ = 0;
};

}  // namespace tallowmere::engine::xls
