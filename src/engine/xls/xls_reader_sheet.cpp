#include "engine/xls/internal/xls_reader_sheet.h"

#include <bit>
#include <cmath>
#include <optional>

#include "engine/xls/biff8_records.h"
#include "engine/xls/xls_reader_conditions.h"

namespace tallowmere::engine::xls {
namespace {

namespace rec = biff8::rec;
constexpr std::uint16_t kStandardWidth = 0x0099;  // default column width in 1/256 characters

constexpr double kPointsPerInch = 72.0;
constexpr double kDigitWidth = 7.0;   // pixels of the widest digit of Arial 10 at 96 dpi
constexpr double kCellPadding = 5.0;  // pixels of margin a column width in characters leaves out

// A range as the sheet records store it: first and last row, then first and last column,
// zero-based; columns take two bytes, or one in a selection's list.
CellRect ReadRange(RecordCursor& cursor, bool byteColumns) {
  CellRect rect;
  rect.firstRow = cursor.U16() + 1;
  rect.lastRow = cursor.U16() + 1;
  rect.firstColumn = (byteColumns ? cursor.U8() : cursor.U16()) + 1;
  rect.lastColumn = (byteColumns ? cursor.U8() : cursor.U16()) + 1;
  return rect;
}

// Column widths are stored in 1/256 of a character including the cell padding; the
// object model speaks of characters without it, to two decimals.
double CharactersFromStoredWidth(double stored256) {
  return std::round((stored256 / 256.0 - kCellPadding / kDigitWidth) * 100.0) / 100.0;
}

// The default width in whole characters becomes the width a spreadsheet shows: the
// pixel width rounded up to a multiple of 8, in characters (8 gives 8.43).
double CharactersFromDefaultWidth(unsigned characters) {
  const double pixels = std::ceil((characters * kDigitWidth + kCellPadding) / 8.0) * 8.0;
  return std::round((pixels - kCellPadding) / kDigitWidth * 100.0) / 100.0;
}

double RkValue(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32);
  }
  return (rk & 0x01) ? value / 100.0 : value;
}

ErrorCode ErrorFromByte(std::uint8_t code) {
  switch (code) {
    case 0x00:
    case 0x07:
    case 0x0F:
    case 0x17:
    case 0x1D:
    case 0x24:
    case 0x2A: return static_cast<ErrorCode>(code);
    default: return ErrorCode::Value;
  }
}

class SheetReader {
 public:
  SheetReader(const SheetContext& context, SheetData& sheet)
      : context_(context), sheet_(sheet), conditions_(context.palette) {}

  void Read(RecordStream& records);

 private:
  void Dispatch(const Record& record);
  Cell& PutCell(int row, int column, std::uint16_t xf);
  std::pair<int, int> CellPosition(RecordCursor& cursor);

  void ReadFormula(RecordCursor& cursor);
  void ReadString(RecordCursor& cursor);
  void ReadLabelSst(RecordCursor& cursor);
  void ReadMulRk(RecordCursor& cursor);
  void ReadMulBlank(RecordCursor& cursor);
  void ReadBoolErr(RecordCursor& cursor);
  void ReadRow(RecordCursor& cursor);
  void ReadColInfo(RecordCursor& cursor);
  void ReadMergedCells(RecordCursor& cursor);
  void ReadSetup(RecordCursor& cursor);
  void ReadSelection(RecordCursor& cursor);
  void FoldUniformColumnStyles();

  const SheetContext& context_;
  SheetData& sheet_;
  std::optional<std::pair<int, int>> pendingStringResult_;  // formula cell awaiting its STRING
  bool selectionRead_ = false;
  double defaultStoredWidth_ = 0;  // stored width of a column at the default width
  ConditionalFormatReader conditions_;
};

void SheetReader::Read(RecordStream& records) {
  Record record;
  if (!records.Next(record) || record.id != rec::kBof) Damaged("a sheet does not start where the workbook says");
  int nested = 0;  // substreams embedded in a sheet (charts) are skipped whole
  while (records.Next(record)) {
    if (record.id == rec::kBof) {
      ++nested;
    } else if (record.id == rec::kEof) {
      if (nested == 0) {
        FoldUniformColumnStyles();
        return;
      }
      --nested;
    } else if (nested == 0) {
      Dispatch(record);
    }
  }
  Damaged("a sheet ends without its EOF record");
}

void SheetReader::Dispatch(const Record& record) {
  RecordCursor cursor(record);
  if (record.id != rec::kString) pendingStringResult_.reset();
  switch (record.id) {
    case rec::kFormula: ReadFormula(cursor); break;
    case rec::kString: ReadString(cursor); break;
    case rec::kLabelSst: ReadLabelSst(cursor); break;
    case rec::kLabel: {
      auto [row, column] = CellPosition(cursor);
      const std::uint16_t xf = cursor.U16();
      PutCell(row, column, xf).value = Value::String(cursor.LongString());
      break;
    }
    case rec::kNumber: {
      auto [row, column] = CellPosition(cursor);
      const std::uint16_t xf = cursor.U16();
      PutCell(row, column, xf).value = Value::Number(cursor.F64());
      break;
    }
    case rec::kRk: {
      auto [row, column] = CellPosition(cursor);
      const std::uint16_t xf = cursor.U16();
      PutCell(row, column, xf).value = Value::Number(RkValue(cursor.U32()));
      break;
    }
    case rec::kBlank: {
      auto [row, column] = CellPosition(cursor);
      PutCell(row, column, cursor.U16());
      break;
    }
    case rec::kMulRk: ReadMulRk(cursor); break;
    case rec::kMulBlank: ReadMulBlank(cursor); break;
    case rec::kBoolErr: ReadBoolErr(cursor); break;
    case rec::kRow: ReadRow(cursor); break;
    case rec::kColInfo: ReadColInfo(cursor); break;
    case rec::kDefColWidth: {
      const unsigned characters = cursor.U16();
      if (characters <= 255) {
        sheet_.defaultColumnWidth = CharactersFromDefaultWidth(characters);
        defaultStoredWidth_ = (sheet_.defaultColumnWidth + kCellPadding / kDigitWidth) * 256.0;
      }
      break;
    }
    case kStandardWidth: {
      const std::uint16_t stored = cursor.U16();
      sheet_.defaultColumnWidth = CharactersFromStoredWidth(stored);
      defaultStoredWidth_ = stored;
      break;
    }
    case rec::kDefaultRowHeight: {
      cursor.Skip(2);
      const std::uint16_t twips = cursor.U16();
      if (twips > 0 && twips <= 8192) sheet_.defaultRowHeight = twips / 20.0;
      break;
    }
    case rec::kMergedCells: ReadMergedCells(cursor); break;
    case rec::kCondFmt: conditions_.ReadCondFmt(cursor); break;
    case rec::kCf: conditions_.ReadCf(cursor, sheet_); break;
    case rec::kLeftMargin: sheet_.pageSetup.leftMargin = cursor.F64() * kPointsPerInch; break;
    case rec::kRightMargin: sheet_.pageSetup.rightMargin = cursor.F64() * kPointsPerInch; break;
    case rec::kTopMargin: sheet_.pageSetup.topMargin = cursor.F64() * kPointsPerInch; break;
    case rec::kBottomMargin: sheet_.pageSetup.bottomMargin = cursor.F64() * kPointsPerInch; break;
    case rec::kSetup: ReadSetup(cursor); break;
    case rec::kWsBool: sheet_.pageSetup.fitToPages = (cursor.U16() & biff8::kWsBoolFitToPage) != 0; break;
    case rec::kSelection: ReadSelection(cursor); break;
    default: break;  // records the engine has no use for
  }
}

std::pair<int, int> SheetReader::CellPosition(RecordCursor& cursor) {
  const int row = cursor.U16();
  const int column = cursor.U16();
  if (column >= kMaxColumns) Damaged("a cell lies beyond the last column");
  return {row + 1, column + 1};
}

Cell& SheetReader::PutCell(int row, int column, std::uint16_t xf) {
  Cell& cell = sheet_.Cells()[{row, column}];
  cell = Cell{};
  cell.style = context_.styles.StyleOf(xf);
  return cell;
}

void SheetReader::ReadFormula(RecordCursor& cursor) {
  auto [row, column] = CellPosition(cursor);
  Cell& cell = PutCell(row, column, cursor.U16());
  const std::uint8_t* result = cursor.Here();
  cursor.Skip(8);
  if (result[6] == 0xFF && result[7] == 0xFF) {
    switch (result[0]) {
      case biff8::kFormulaResultString:
        cell.value = Value::String("");
        pendingStringResult_ = {{row, column}};
        break;
      case biff8::kFormulaResultBoolean: cell.value = Value::Boolean(result[2] != 0); break;
      case biff8::kFormulaResultError: cell.value = Value::Error(ErrorFromByte(result[2])); break;
      default: cell.value = Value::String(""); break;
    }
  } else {
    cell.value = Value::Number(std::bit_cast<double>(
        static_cast<std::uint64_t>(result[0]) | static_cast<std::uint64_t>(result[1]) << 8 |
        static_cast<std::uint64_t>(result[2]) << 16 | static_cast<std::uint64_t>(result[3]) << 24 |
        static_cast<std::uint64_t>(result[4]) << 32 | static_cast<std::uint64_t>(result[5]) << 40 |
        static_cast<std::uint64_t>(result[6]) << 48 | static_cast<std::uint64_t>(result[7]) << 56));
  }
  cursor.Skip(6);  // option flags, calculation chain
  const std::size_t size = cursor.U16();
  if (size > cursor.Remaining()) Damaged("a formula is longer than its record");
  constexpr std::uint8_t kTokenShared = 0x01;
  if (size == 0 || cursor.Here()[0] == kTokenShared) return;  // shared or array formula: keep the cached value
  try {
    cell.formula = DecodeBiff8(cursor.Here(), size, row, column);
  } catch (const std::exception&) {
    // A formula the engine cannot read keeps the value the file cached for it.
  }
}

void SheetReader::ReadString(RecordCursor& cursor) {
  if (!pendingStringResult_) return;
  auto [row, column] = *pendingStringResult_;
  pendingStringResult_.reset();
  sheet_.Cells()[{row, column}].value = Value::String(cursor.LongString());
}

void SheetReader::ReadLabelSst(RecordCursor& cursor) {
  auto [row, column] = CellPosition(cursor);
  Cell& cell = PutCell(row, column, cursor.U16());
  const std::uint32_t index = cursor.U32();
  if (index >= context_.sharedStrings.size()) Damaged("a cell refers to a shared string that does not exist");
  cell.value = Value::String(context_.sharedStrings[index]);
}

void SheetReader::ReadMulRk(RecordCursor& cursor) {
  auto [row, first] = CellPosition(cursor);
  if (cursor.Remaining() < 2) Damaged("a MULRK record is too short");
  const std::size_t count = (cursor.Remaining() - 2) / 6;
  if (first - 1 + count > static_cast<std::size_t>(kMaxColumns)) Damaged("a cell lies beyond the last column");
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t xf = cursor.U16();
    PutCell(row, first + static_cast<int>(i), xf).value = Value::Number(RkValue(cursor.U32()));
  }
}

void SheetReader::ReadMulBlank(RecordCursor& cursor) {
  auto [row, first] = CellPosition(cursor);
  if (cursor.Remaining() < 2) Damaged("a MULBLANK record is too short");
  const std::size_t count = (cursor.Remaining() - 2) / 2;
  if (first - 1 + count > static_cast<std::size_t>(kMaxColumns)) Damaged("a cell lies beyond the last column");
  for (std::size_t i = 0; i < count; ++i) PutCell(row, first + static_cast<int>(i), cursor.U16());
}

void SheetReader::ReadBoolErr(RecordCursor& cursor) {
  auto [row, column] = CellPosition(cursor);
  Cell& cell = PutCell(row, column, cursor.U16());
  const std::uint8_t value = cursor.U8();
  const bool isError = cursor.U8() != 0;
  cell.value = isError ? Value::Error(ErrorFromByte(value)) : Value::Boolean(value != 0);
}

void SheetReader::ReadRow(RecordCursor& cursor) {
  const int row = cursor.U16() + 1;
  cursor.Skip(4);  // first and last column
  const std::uint16_t height = cursor.U16() & 0x7FFF;
  cursor.Skip(4);
  const std::uint32_t flags = cursor.U32();
  const bool hidden = (flags & 0x20) != 0;
  const bool customHeight = (flags & biff8::kRowUnsynced) != 0, formatted = (flags & biff8::kRowGhostDirty) != 0;
  const double points = hidden ? 0.0 : height / 20.0;
  if (customHeight || hidden || points != sheet_.defaultRowHeight) sheet_.rowHeights[row] = points;
  if (formatted) {
    const StyleId style = context_.styles.StyleOf(static_cast<std::uint16_t>((flags >> 16) & 0x0FFF));
    if (style != 0) sheet_.rowStyles[row] = style;
  }
}

void SheetReader::ReadColInfo(RecordCursor& cursor) {
  const int first = cursor.U16();
  const int last = std::min<int>(cursor.U16(), kMaxColumns - 1);
  const std::uint16_t stored = cursor.U16();
  const StyleId style = context_.styles.StyleOf(cursor.U16());
  const std::uint16_t flags = cursor.U16();
  const bool hidden = (flags & 0x01) != 0, userSet = (flags & 0x02) != 0;
  const double width = hidden ? 0.0 : CharactersFromStoredWidth(stored);
  const bool ownWidth = hidden || userSet || std::abs(stored - defaultStoredWidth_) >= 1.0;
  for (int column = first + 1; column <= last + 1; ++column) {
    if (ownWidth) sheet_.columnWidths[column] = width;
    if (style != 0) sheet_.columnStyles[column] = style;
  }
}

void SheetReader::ReadMergedCells(RecordCursor& cursor) {
  const std::size_t count = cursor.U16();
  for (std::size_t i = 0; i < count; ++i) {
    const CellRect rect = ReadRange(cursor, false);
    if (rect.firstRow > rect.lastRow || rect.firstColumn > rect.lastColumn || rect.lastColumn > kMaxColumns) {
      Damaged("a merged range is malformed");
    }
    sheet_.merges.push_back(rect);
  }
}

void SheetReader::ReadSetup(RecordCursor& cursor) {
  PageSetupData& setup = sheet_.pageSetup;
  const std::uint16_t paper = cursor.U16();
  const std::uint16_t scale = cursor.U16();
  cursor.Skip(2);  // first page number
  const std::uint16_t fitWide = cursor.U16();
  const std::uint16_t fitTall = cursor.U16();
  const std::uint16_t flags = cursor.U16();
  cursor.Skip(4);  // resolutions
  const double header = cursor.F64();
  const double footer = cursor.F64();
  const bool noPrinterSettings = (flags & biff8::kSetupNoPls) != 0;
  if (!noPrinterSettings) {
    setup.paperSize = paper;
    setup.zoom = scale;
    setup.landscape = (flags & biff8::kSetupPortrait) == 0;
  }
  setup.fitWide = fitWide;
  setup.fitTall = fitTall;
  setup.printComments = (flags & biff8::kSetupNotes) != 0;
  setup.headerMargin = header * kPointsPerInch;
  setup.footerMargin = footer * kPointsPerInch;
}

void SheetReader::ReadSelection(RecordCursor& cursor) {
  constexpr std::uint8_t kTopLeftPane = 3;
  const std::uint8_t pane = cursor.U8();
  if (selectionRead_ && pane != kTopLeftPane) return;
  const int activeRow = cursor.U16() + 1;
  const int activeColumn = cursor.U16() + 1;
  const std::size_t activeRef = cursor.U16();
  const std::size_t count = cursor.U16();
  if (activeColumn > kMaxColumns) Damaged("the active cell lies beyond the last column");
  sheet_.activeRow = activeRow;
  sheet_.activeColumn = activeColumn;
  sheet_.selection = CellRect{activeRow, activeColumn, activeRow, activeColumn};
  for (std::size_t i = 0; i < count; ++i) {
    const CellRect rect = ReadRange(cursor, true);
    if (i == activeRef) sheet_.selection = rect;
  }
  selectionRead_ = selectionRead_ || pane == kTopLeftPane;
}

// A format given to every column of the sheet is a format of the whole sheet.
void SheetReader::FoldUniformColumnStyles() {
  auto& columns = sheet_.columnStyles;
  if (columns.size() != static_cast<std::size_t>(kMaxColumns)) return;
  const StyleId first = columns.begin()->second;
  for (const auto& [column, style] : columns) {
    if (style != first) return;
  }
  sheet_.sheetStyle = first;
  columns.clear();
}

}  // namespace

void ReadSheetSubstream(RecordStream& records, const SheetContext& context, SheetData& sheet) {
  SheetReader(context, sheet).Read(records);
}

}  // namespace tallowmere::engine::xls
