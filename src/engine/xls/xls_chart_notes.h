#pragma once
// The .xls holds no chart: each chart of a sheet is kept as the engine's note of it, a
// hidden name local to the sheet whose formula is the note's text, so that the engine
// opening the file again has its charts back. Other programs see a hidden name and no chart.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "engine/core/workbook.h"
#include "engine/xls/biff8_stream.h"
#include "engine/xls/xls_reader_records.h"

namespace tallowmere::engine::xls {

// The prefix of the notes' names; the chart's number on its sheet follows.
inline constexpr const char* kChartNoteName = "_TallowmereChart";

// Writes a NAME record for each chart of each sheet. A chart whose note is longer than a
// formula's text may be (255 characters) gets none and is not kept.
void WriteChartNotes(biff8::RecordStream& out, const WorkbookData& workbook);

// A NAME record's chart note: the sheet (index among all BOUNDSHEET entries) and the chart;
// nothing for any other name.
std::optional<std::pair<std::size_t, ChartData>> ReadChartNote(const Record& record);

}  // namespace tallowmere::engine::xls
