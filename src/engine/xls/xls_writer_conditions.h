#pragma once
// The conditional formats of a worksheet substream: a CONDFMT record per range and a CF
// record per condition after it. The file's condition colours are palette indexes, so each
// colour is written as the workbook palette's nearest; the palette itself stays as it is.

#include <cstdint>
#include <map>

#include "engine/core/workbook.h"
#include "engine/xls/biff8_stream.h"

namespace tallowmere::engine::biff8 {

// The palette index (1..56) of each colour (0xRRGGBB) of a sheet's conditions: its own
// entry when the palette holds it, else the nearest entry that no other of those colours
// took, in the order the conditions name them, so that two looks stay apart where the
// palette allows; the first of equals.
std::map<std::uint32_t, int> ConditionPaletteIndexes(const WorkbookData& workbook, const SheetData& sheet);

// Writes nothing for a sheet without conditional formats.
void WriteConditionalFormats(RecordStream& out, const SheetData& sheet, const WorkbookData& workbook);

}  // namespace tallowmere::engine::biff8
