// A worksheet substream of a BIFF8 file.
#include <algorithm>
#include <cmath>
#include <set>

#include "engine/core/calc.h"
#include "engine/core/engine_error.h"
#include "engine/core/sheet_format.h"
#include "engine/xls/biff8_records.h"
#include "engine/xls/xls_writer_conditions.h"
#include "engine/xls/xls_writer_parts.h"
#include "text/unicode.h"

namespace tallowmere::engine::biff8 {
namespace {

constexpr double kStandardRowHeight = 12.75;  // points
constexpr int kDigitWidthPixels = 7;          // Arial 10 at 96 dpi
constexpr int kColumnPaddingPixels = 5;
constexpr int kRowsPerBlock = 32;

std::uint16_t U16(int v) { return static_cast<std::uint16_t>(v); }
std::uint16_t Twips(double points) {
  return static_cast<std::uint16_t>(std::clamp(std::lround(points * 20), 0L, 8191L));
}

void WriteU16Record(RecordStream& out, std::uint16_t id, std::uint16_t value) {
  out.Write(id, ByteBuffer().U16(value));
}

// --- Sheet settings and page setup ---------------------------------------------------

void WriteCalcSettings(RecordStream& out) {
  WriteU16Record(out, rec::kCalcMode, 1);  // automatic
  WriteU16Record(out, rec::kCalcCount, 100);
  WriteU16Record(out, rec::kRefMode, 1);  // A1
  WriteU16Record(out, rec::kIteration, 0);
  out.Write(rec::kDelta, ByteBuffer().Double(0.001));
  WriteU16Record(out, rec::kSaveRecalc, 1);
}

void WriteRowDefaults(RecordStream& out, const SheetData& sheet, const PageSetupData& page) {
  WriteU16Record(out, rec::kPrintHeaders, 0);
  WriteU16Record(out, rec::kPrintGridlines, 0);
  WriteU16Record(out, rec::kGridSet, 1);
  out.Write(rec::kGuts, ByteBuffer().U16(0).U16(0).U16(0).U16(0));
  const bool customDefault = sheet.defaultRowHeight != kStandardRowHeight;
  out.Write(rec::kDefaultRowHeight, ByteBuffer().U16(customDefault ? 1 : 0).U16(Twips(sheet.defaultRowHeight)));
  std::uint16_t wsBool = kWsBoolShowAutoBreaks | kWsBoolRowSumsBelow | kWsBoolColSumsRight | kWsBoolDisplayGuts;
  if (page.fitToPages) wsBool |= kWsBoolFitToPage;
  WriteU16Record(out, rec::kWsBool, wsBool);
}

void WritePageSetup(RecordStream& out, const PageSetupData& page) {
  out.Write(rec::kHeader, ByteBuffer());  // empty: no header
  out.Write(rec::kFooter, ByteBuffer());
  WriteU16Record(out, rec::kHCenter, 0);
  WriteU16Record(out, rec::kVCenter, 0);
  out.Write(rec::kLeftMargin, ByteBuffer().Double(page.leftMargin / 72));
  out.Write(rec::kRightMargin, ByteBuffer().Double(page.rightMargin / 72));
  out.Write(rec::kTopMargin, ByteBuffer().Double(page.topMargin / 72));
  out.Write(rec::kBottomMargin, ByteBuffer().Double(page.bottomMargin / 72));
  std::uint16_t flags = 0;
  if (!page.landscape) flags |= kSetupPortrait;
  if (page.printComments) flags |= kSetupNotes;
  ByteBuffer b;
  b.U16(U16(page.paperSize)).U16(U16(page.zoom)).U16(1).U16(U16(page.fitWide)).U16(U16(page.fitTall));
  b.U16(flags).U16(600).U16(600);
  b.Double(page.headerMargin / 72).Double(page.footerMargin / 72).U16(1);
  out.Write(rec::kSetup, b);
}

// --- Columns -------------------------------------------------------------------------

struct ColumnFormat {
  std::uint16_t width, xf, flags;
  bool operator==(const ColumnFormat&) const = default;
};

void WriteColumns(RecordStream& out, const SheetData& sheet, const XlsStyles& styles) {
  out.Write(rec::kDefColWidth, ByteBuffer().U16(8));
  const bool all = sheet.sheetStyle != 0 || sheet.defaultColumnWidth != kStandardColumnWidth;
  auto formatOf = [&](int column) -> std::optional<ColumnFormat> {
    const bool ownWidth = sheet.columnWidths.count(column) > 0;
    const bool ownStyle = sheet.columnStyles.count(column) > 0;
    if (!all && !ownWidth && !ownStyle) return std::nullopt;
    const double width = sheet.ColumnWidth(column);
    std::uint16_t flags = (ownWidth || width != kStandardColumnWidth) ? 0x0002 : 0;
    if (width == 0) flags |= 0x0001;  // hidden
    return ColumnFormat{ColumnWidthUnits(width), styles.Xf(sheet.InheritedStyle(0, column)), flags};
  };
  for (int first = 1; first <= kMaxColumns;) {
    auto format = formatOf(first);
    int last = first;
    while (last < kMaxColumns && formatOf(last + 1) == format) ++last;
    if (format) {
      out.Write(rec::kColInfo, ByteBuffer()
                                   .U16(U16(first - 1))
                                   .U16(U16(last - 1))
                                   .U16(format->width)
                                   .U16(format->xf)
                                   .U16(format->flags)
                                   .U16(0));
    }
    first = last + 1;
  }
}

// --- Rows and cells ------------------------------------------------------------------

void WriteDimensions(RecordStream& out, const SheetData& sheet) {
  int firstRow = 0, lastRow = -1, firstColumn = kMaxColumns, lastColumn = -1;
  for (const auto& [position, cell] : sheet.Cells()) {
    auto [row, column] = position;
    if (!HasContentOrOwnFormat(sheet, row, column, cell)) continue;
    if (lastRow < 0) firstRow = row - 1;
    lastRow = row - 1;
    firstColumn = std::min(firstColumn, column - 1);
    lastColumn = std::max(lastColumn, column - 1);
  }
  if (lastRow < 0) firstRow = 0, firstColumn = 0;
  out.Write(rec::kDimensions, ByteBuffer()
                                  .U32(static_cast<std::uint32_t>(firstRow))
                                  .U32(static_cast<std::uint32_t>(lastRow + 1))
                                  .U16(U16(firstColumn))
                                  .U16(U16(lastColumn + 1))
                                  .U16(0));
}

void WriteRowRecord(RecordStream& out, const SheetData& sheet, int row, const XlsStyles& styles) {
  int firstColumn = 0, lastColumn = -1;
  auto& cells = sheet.Cells();
  for (auto it = cells.lower_bound({row, 0}); it != cells.end() && it->first.first == row; ++it) {
    if (!HasContentOrOwnFormat(sheet, row, it->first.second, it->second)) continue;
    if (lastColumn < 0) firstColumn = it->first.second - 1;
    lastColumn = it->first.second - 1;
  }
  const double height = sheet.RowHeight(row);
  std::uint32_t flags = kRowReserved;
  if (sheet.rowHeights.count(row) || height != kStandardRowHeight) flags |= kRowUnsynced;
  if (height == 0) flags |= 0x0020;  // hidden
  if (auto style = sheet.rowStyles.find(row); style != sheet.rowStyles.end()) {
    flags |= kRowGhostDirty | std::uint32_t{styles.Xf(style->second)} << 16;
  }
  out.Write(rec::kRow, ByteBuffer()
                           .U16(U16(row - 1))
                           .U16(U16(firstColumn))
                           .U16(U16(lastColumn + 1))
                           .U16(Twips(height))
                           .U16(0)
                           .U16(0)
                           .U32(flags));
}

// The 8 bytes of a FORMULA record that hold its cached result.
ByteBuffer FormulaResult(const Value& v) {
  ByteBuffer b;
  auto marked = [&](std::uint8_t type, std::uint8_t value) {
    b.U8(type).U8(0).U8(value).U8(0).U16(0).U16(kFormulaResultMarker);
  };
  switch (v.type) {
    case Value::Type::Number:
      if (std::isfinite(v.number))
        b.Double(v.number);
      else
        marked(kFormulaResultError, static_cast<std::uint8_t>(ErrorCode::Num));
      break;
    case Value::Type::String: marked(v.text.empty() ? kFormulaResultEmpty : kFormulaResultString, 0); break;
    case Value::Type::Boolean: marked(kFormulaResultBoolean, v.number != 0 ? 1 : 0); break;
    case Value::Type::Error: marked(kFormulaResultError, static_cast<std::uint8_t>(v.error)); break;
    case Value::Type::Empty: b.Double(0); break;
  }
  return b;
}

void WriteFormula(RecordStream& out, int row, int column, std::uint16_t xf, const FormulaNode& formula,
                  const Value& result) {
  std::vector<std::uint8_t> tokens;
  try {
    tokens = EncodeBiff8(formula, row, column);
  } catch (const FormulaError& error) {
    throw EngineError("The formula in row " + std::to_string(row) + ", column " + std::to_string(column) +
                      " cannot be saved: " + error.what());
  }
  ByteBuffer b;
  b.U16(U16(row - 1)).U16(U16(column - 1)).U16(xf).Bytes(FormulaResult(result).Data());
  b.U16(kFormulaAlwaysCalc).U32(0).U16(U16(static_cast<int>(tokens.size()))).Bytes(tokens);
  out.Write(rec::kFormula, b);
  if (result.type == Value::Type::String && !result.text.empty()) {
    out.Write(rec::kString, ByteBuffer().String16(ToUtf16(result.text).substr(0, 32767)));
  }
}

void WriteCell(RecordStream& out, int row, int column, const Cell& cell, std::uint16_t xf, Calculator& calculator,
               const SharedStrings& strings) {
  ByteBuffer b;
  b.U16(U16(row - 1)).U16(U16(column - 1)).U16(xf);
  if (cell.formula) return WriteFormula(out, row, column, xf, *cell.formula, calculator.ValueAt(row, column));
  const Value& v = cell.value;
  switch (v.type) {
    case Value::Type::Number:
      if (std::isfinite(v.number)) return out.Write(rec::kNumber, b.Double(v.number));
      return out.Write(rec::kBoolErr, b.U8(static_cast<std::uint8_t>(ErrorCode::Num)).U8(1));
    case Value::Type::String: return out.Write(rec::kLabelSst, b.U32(strings.IndexOf(v.text)));
    case Value::Type::Boolean: return out.Write(rec::kBoolErr, b.U8(v.number != 0 ? 1 : 0).U8(0));
    case Value::Type::Error: return out.Write(rec::kBoolErr, b.U8(static_cast<std::uint8_t>(v.error)).U8(1));
    case Value::Type::Empty: return out.Write(rec::kBlank, b);
  }
}

// Rows go in blocks of 32: the block's ROW records, then its cells.
void WriteRowsAndCells(RecordStream& out, const SheetData& sheet, const XlsStyles& styles,
                       const SharedStrings& strings) {
  std::set<int> rows;
  for (const auto& [position, cell] : sheet.Cells()) {
    if (HasContentOrOwnFormat(sheet, position.first, position.second, cell)) rows.insert(position.first);
  }
  for (const auto& [row, height] : sheet.rowHeights) rows.insert(row);
  for (const auto& [row, style] : sheet.rowStyles) rows.insert(row);

  Calculator calculator(sheet);
  const auto& cells = sheet.Cells();
  for (auto block = rows.begin(); block != rows.end();) {
    const int blockEnd = (*block - 1) / kRowsPerBlock * kRowsPerBlock + kRowsPerBlock;  // last row of the block
    auto next = rows.upper_bound(blockEnd);
    for (auto it = block; it != next; ++it) WriteRowRecord(out, sheet, *it, styles);
    for (auto it = cells.lower_bound({*block, 0}); it != cells.end() && it->first.first <= blockEnd; ++it) {
      auto [row, column] = it->first;
      if (HasContentOrOwnFormat(sheet, row, column, it->second)) {
        WriteCell(out, row, column, it->second, styles.Xf(it->second.style), calculator, strings);
      }
    }
    block = next;
  }
}

// --- Window --------------------------------------------------------------------------

void WriteWindow(RecordStream& out, const SheetData& sheet, bool active) {
  std::uint16_t flags =
      kWindow2DisplayGrid | kWindow2DisplayHeaders | kWindow2DisplayZeros | kWindow2DefaultGridColor | kWindow2Outline;
  if (active) flags |= kWindow2Selected | kWindow2Active;
  out.Write(rec::kWindow2, ByteBuffer().U16(flags).U16(0).U16(0).U32(kIcvAutomaticBorder).U16(0).U16(0).U32(0));
  const CellRect& s = sheet.selection;
  ByteBuffer b;
  b.U8(3).U16(U16(sheet.activeRow - 1)).U16(U16(sheet.activeColumn - 1)).U16(0).U16(1);
  b.U16(U16(s.firstRow - 1))
      .U16(U16(s.lastRow - 1))
      .U8(static_cast<std::uint8_t>(s.firstColumn - 1))
      .U8(static_cast<std::uint8_t>(s.lastColumn - 1));
  out.Write(rec::kSelection, b);
}

void WriteMerges(RecordStream& out, const SheetData& sheet) {
  constexpr std::size_t kPerRecord = 1026;
  for (std::size_t first = 0; first < sheet.merges.size(); first += kPerRecord) {
    std::size_t count = std::min(kPerRecord, sheet.merges.size() - first);
    ByteBuffer b;
    b.U16(U16(static_cast<int>(count)));
    for (std::size_t i = first; i < first + count; ++i) {
      const CellRect& m = sheet.merges[i];
      b.U16(U16(m.firstRow - 1)).U16(U16(m.lastRow - 1)).U16(U16(m.firstColumn - 1)).U16(U16(m.lastColumn - 1));
    }
    out.Write(rec::kMergedCells, b);
  }
}

}  // namespace

std::uint16_t ColumnWidthUnits(double characters) {
  if (characters <= 0) return 0;
  double units = std::floor(256.0 * (characters * kDigitWidthPixels + kColumnPaddingPixels) / kDigitWidthPixels);
  return static_cast<std::uint16_t>(std::min(units, 65535.0));
}

void WriteSheet(RecordStream& out, const WorkbookData& workbook, const SheetData& sheet, bool active,
                const XlsStyles& styles, const SharedStrings& strings) {
  out.Write(rec::kBof,
            ByteBuffer().U16(kBiff8Version).U16(kBofWorksheet).U16(kBuildId).U16(kBuildYear).U32(0).U32(0x0006));
  WriteCalcSettings(out);
  WriteRowDefaults(out, sheet, sheet.pageSetup);
  WritePageSetup(out, sheet.pageSetup);
  WriteColumns(out, sheet, styles);
  WriteDimensions(out, sheet);
  WriteRowsAndCells(out, sheet, styles, strings);
  WriteWindow(out, sheet, active);
  WriteMerges(out, sheet);
  WriteConditionalFormats(out, sheet, workbook);
  out.Write(rec::kEof, ByteBuffer());
}

}  // namespace tallowmere::engine::biff8
