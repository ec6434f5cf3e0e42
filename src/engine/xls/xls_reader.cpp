#include "engine/xls/xls_reader.h"

#include <algorithm>

#include "engine/core/address.h"
#include "engine/core/engine_error.h"
#include "engine/xls/biff8_records.h"
#include "engine/xls/internal/compound_input.h"
#include "engine/xls/internal/xls_reader_sheet.h"
#include "engine/xls/internal/xls_reader_styles.h"
#include "engine/xls/xls_chart_notes.h"
#include "engine/xls/xls_reader_records.h"

namespace tallowmere::engine {
namespace {

using namespace xls;

namespace rec = biff8::rec;
constexpr std::uint16_t kFilePass = 0x002F;  // the workbook is encrypted

struct SheetEntry {
  std::string name;
  std::size_t offset = 0;
  bool worksheet = false;
};

struct PrintAreaName {
  std::size_t sheetIndex = 0;  // among all BOUNDSHEET entries
  std::string address;
};

struct Globals {
  std::vector<std::string> sharedStrings;
  StyleCollector styles;
  std::vector<SheetEntry> sheets;
  std::vector<PrintAreaName> printAreas;
  std::vector<std::pair<std::size_t, ChartData>> charts;  // by sheet index among all BOUNDSHEET entries
  std::size_t activeSheet = 0;                            // among all BOUNDSHEET entries
};

void ReadBof(const Record& record) {
  RecordCursor cursor(record);
  const std::uint16_t version = cursor.U16();
  const std::uint16_t type = cursor.U16();
  if (version != biff8::kBiff8Version) {
    throw EngineError("The workbook is in an Excel format older than Excel 97 (BIFF8), which cannot be opened.");
  }
  if (type != biff8::kBofGlobals) Damaged("it does not start with the workbook globals");
}

void ReadSharedStrings(RecordCursor& cursor, std::vector<std::string>& strings) {
  cursor.Skip(4);  // total string count
  const std::uint32_t unique = cursor.U32();
  // Every string takes at least three bytes, which bounds the count by the record size.
  strings.reserve(std::min<std::size_t>(unique, cursor.Remaining() / 3));
  for (std::uint32_t i = 0; i < unique; ++i) {
    if (cursor.Remaining() == 0) Damaged("the shared string table has fewer strings than it counts");
    strings.push_back(cursor.LongString());
  }
}

void ReadBoundSheet(RecordCursor& cursor, std::vector<SheetEntry>& sheets) {
  SheetEntry entry;
  entry.offset = cursor.U32();
  cursor.Skip(1);  // visibility
  entry.worksheet = cursor.U8() == biff8::kSheetTypeWorksheet;
  entry.name = cursor.ShortString();
  sheets.push_back(std::move(entry));
}

// A built-in NAME record of the print area: its sheet and its first rectangle.
void ReadName(RecordCursor& cursor, std::vector<PrintAreaName>& printAreas) {
  const auto [flags, nameLength, formulaSize, sheetIndex] = ReadNameHeader(cursor);
  if (!(flags & biff8::kNameBuiltin) || nameLength != 1 || sheetIndex == 0) return;
  const std::string name = cursor.Characters(1);
  if (name.size() != 1 || name[0] != biff8::kBuiltinPrintArea || formulaSize > cursor.Remaining()) return;
  // The tokens: an area on a sheet (tArea3d), or a single cell (tRef3d), in any class.
  RecordCursor tokens = cursor;
  if (formulaSize < 7) return;
  const std::uint8_t token = tokens.U8() & 0x1F;
  tokens.Skip(2);  // sheet reference
  if (token == 0x1B && formulaSize >= 11) {
    const int firstRow = tokens.U16() + 1, lastRow = tokens.U16() + 1;
    const int firstColumn = (tokens.U16() & 0xFF) + 1, lastColumn = (tokens.U16() & 0xFF) + 1;
    printAreas.push_back({sheetIndex - 1, FormatAddress(CellRect{firstRow, firstColumn, lastRow, lastColumn})});
  } else if (token == 0x1A) {
    const int row = tokens.U16() + 1, column = (tokens.U16() & 0xFF) + 1;
    printAreas.push_back({sheetIndex - 1, FormatAddress(CellRect{row, column, row, column})});
  }
}

void DispatchGlobal(const Record& record, Globals& globals, WorkbookData& workbook) {
  RecordCursor cursor(record);
  switch (record.id) {
    case kFilePass: throw EngineError("The workbook is protected by a password and cannot be opened.");
    case rec::kBoundSheet: ReadBoundSheet(cursor, globals.sheets); break;
    case rec::kSst: ReadSharedStrings(cursor, globals.sharedStrings); break;
    case rec::kFont: globals.styles.ReadFont(cursor); break;
    case rec::kFormat: globals.styles.ReadFormat(cursor); break;
    case rec::kXf: globals.styles.ReadXf(cursor); break;
    case rec::kPalette: StyleCollector::ReadPalette(cursor, workbook.palette); break;
    case rec::kName:
      if (auto chart = ReadChartNote(record)) globals.charts.push_back(std::move(*chart));
      ReadName(cursor, globals.printAreas);
      break;
    case rec::kWindow1:
      cursor.Skip(10);
      globals.activeSheet = cursor.U16();
      break;
    default: break;
  }
}

// Returns where the globals end in the stream.
std::size_t ReadGlobals(const std::vector<std::uint8_t>& stream, Globals& globals, WorkbookData& workbook) {
  RecordStream records(stream, 0);
  Record record;
  if (!records.Next(record) || record.id != rec::kBof) Damaged("it does not start with a BOF record");
  ReadBof(record);
  while (records.Next(record)) {
    if (record.id == rec::kEof) return records.Position();
    DispatchGlobal(record, globals, workbook);
  }
  Damaged("the workbook globals end without their EOF record");
}

}  // namespace

std::shared_ptr<WorkbookData> xls::ReadWorkbookStream(const std::vector<std::uint8_t>& stream) {
  auto workbook = std::make_shared<WorkbookData>();
  Globals globals;
  // Sheets follow the globals and each other without overlapping, so that no byte is
  // read twice: a damaged file cannot make the reader go over the stream again and again.
  std::size_t readUpTo = ReadGlobals(stream, globals, *workbook);
  globals.styles.Resolve(workbook->styles);

  const SheetContext context{globals.sharedStrings, globals.styles, workbook->palette};
  for (std::size_t i = 0; i < globals.sheets.size(); ++i) {
    const SheetEntry& entry = globals.sheets[i];
    if (!entry.worksheet) continue;
    if (entry.offset >= stream.size()) Damaged("a sheet lies beyond the end of the file");
    if (entry.offset < readUpTo) Damaged("two parts of the workbook overlap");
    auto sheet = std::make_shared<SheetData>();
    sheet->name = entry.name;
    RecordStream records(stream, entry.offset);
    ReadSheetSubstream(records, context, *sheet);
    readUpTo = records.Position();
    for (const PrintAreaName& area : globals.printAreas) {
      if (area.sheetIndex == i) sheet->pageSetup.printArea = area.address;
    }
    for (const auto& [sheetIndex, chart] : globals.charts)
      if (sheetIndex == i) sheet->charts.push_back(chart);
    if (globals.activeSheet == i) workbook->activeSheet = static_cast<int>(workbook->sheets.size());
    workbook->sheets.push_back(std::move(sheet));
  }
  if (workbook->sheets.empty()) throw EngineError("The workbook holds no worksheet.");
  return workbook;
}

namespace {

std::shared_ptr<WorkbookData> ReadCompound(const CompoundInput& input) {
  if (auto stream = input.ReadStream("Workbook")) return ReadWorkbookStream(*stream);
  if (input.ReadStream("Book")) {
    throw EngineError("The workbook is in the Excel 5.0/95 format (BIFF5), which cannot be opened.");
  }
  throw EngineError("The file is not an Excel workbook: it holds no workbook stream.");
}

}  // namespace

std::shared_ptr<WorkbookData> ReadXls(const std::string& path) {
  CompoundInput input = CompoundInput::OpenFile(path);
  try {
    return ReadCompound(input);
  } catch (const EngineError& error) {
    throw EngineError("Cannot open '" + path + "'. " + error.what());
  }
}

std::shared_ptr<WorkbookData> ReadXlsBytes(const std::uint8_t* data, std::size_t size) {
  return ReadCompound(CompoundInput::OpenMemory(data, size));
}

}  // namespace tallowmere::engine
