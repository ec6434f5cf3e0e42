// The workbook globals substream of a BIFF8 file.
#include "engine/core/address.h"
#include "engine/core/sheet_format.h"
#include "engine/xls/biff8_records.h"
#include "engine/xls/xls_chart_notes.h"
#include "engine/xls/xls_writer_parts.h"
#include "text/unicode.h"

namespace tallowmere::engine::biff8 {
namespace {

void WriteBof(RecordStream& out, std::uint16_t type) {
  out.Write(rec::kBof, ByteBuffer().U16(kBiff8Version).U16(type).U16(kBuildId).U16(kBuildYear).U32(0).U32(0x0006));
}

void WriteU16Record(RecordStream& out, std::uint16_t id, std::uint16_t value) {
  out.Write(id, ByteBuffer().U16(value));
}

void WriteWindow1(RecordStream& out, const WorkbookData& workbook) {
  ByteBuffer b;
  b.U16(0).U16(0).U16(0x4000).U16(0x2000);  // position and size of the window, in twips
  b.U16(0x0038);                            // scroll bars and sheet tabs shown
  b.U16(static_cast<std::uint16_t>(workbook.activeSheet)).U16(0).U16(1).U16(600);
  out.Write(rec::kWindow1, b);
}

void WritePalette(RecordStream& out, const WorkbookData& workbook) {
  ByteBuffer b;
  b.U16(kPaletteSize);
  for (std::uint32_t color : workbook.palette) {
    b.U8(color & 0xFF).U8((color >> 8) & 0xFF).U8((color >> 16) & 0xFF).U8(0);
  }
  out.Write(rec::kPalette, b);
}

std::size_t WriteBoundSheet(RecordStream& out, const SheetData& sheet) {
  std::size_t offsetField = out.Position() + 4;
  ByteBuffer b;
  b.U32(0).U8(kSheetVisible).U8(kSheetTypeWorksheet).String8(ToUtf16(sheet.name.substr(0, 31)));
  out.Write(rec::kBoundSheet, b);
  return offsetField;
}

struct PrintArea {
  int sheet;
  CellRect rect;
};

std::vector<PrintArea> PrintAreas(const WorkbookData& workbook) {
  std::vector<PrintArea> areas;
  for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
    if (auto rect = PrintAreaRect(*workbook.sheets[i])) {
      areas.push_back({static_cast<int>(i), *rect});
    }
  }
  return areas;
}

// The references of the print-area names: one SUPBOOK for this workbook and one
// EXTERNSHEET entry per sheet with a print area.
void WriteExternSheets(RecordStream& out, const WorkbookData& workbook, const std::vector<PrintArea>& areas) {
  out.Write(rec::kSupBook, ByteBuffer().U16(static_cast<std::uint16_t>(workbook.sheets.size())).U16(kSupBookSelf));
  ByteBuffer b;
  b.U16(static_cast<std::uint16_t>(areas.size()));
  for (const auto& area : areas)
    b.U16(0).U16(static_cast<std::uint16_t>(area.sheet)).U16(static_cast<std::uint16_t>(area.sheet));
  out.Write(rec::kExternSheet, b);
}

void WritePrintAreaName(RecordStream& out, const PrintArea& area, std::uint16_t externIndex) {
  ByteBuffer formula;
  formula.U8(kPtgArea3d).U16(externIndex);
  formula.U16(static_cast<std::uint16_t>(area.rect.firstRow - 1))
      .U16(static_cast<std::uint16_t>(area.rect.lastRow - 1));
  formula.U16(static_cast<std::uint16_t>(area.rect.firstColumn - 1))
      .U16(static_cast<std::uint16_t>(area.rect.lastColumn - 1));
  ByteBuffer b;
  b.U16(kNameBuiltin).U8(0).U8(1);  // built-in, no key, name of one character
  b.U16(static_cast<std::uint16_t>(formula.Size())).U16(0);
  b.U16(static_cast<std::uint16_t>(area.sheet + 1));  // local to its sheet
  b.U8(0).U8(0).U8(0).U8(0);                          // no menu, description, help or status texts
  b.U8(0x00).U8(kBuiltinPrintArea);
  b.Bytes(formula.Data());
  out.Write(rec::kName, b);
}

}  // namespace

std::vector<std::size_t> WriteGlobals(RecordStream& out, const WorkbookData& workbook, const XlsStyles& styles,
                                      const SharedStrings& strings) {
  WriteBof(out, kBofGlobals);
  WriteU16Record(out, rec::kCodePage, kCodePageUtf16);
  WriteU16Record(out, rec::kWindowProtect, 0);
  WriteU16Record(out, rec::kProtect, 0);
  WriteU16Record(out, rec::kPassword, 0);
  WriteU16Record(out, rec::kBackup, 0);
  WriteU16Record(out, rec::kHideObj, 0);
  WriteWindow1(out, workbook);
  WriteU16Record(out, rec::kDateMode, 0);   // the 1900 date system
  WriteU16Record(out, rec::kPrecision, 1);  // full precision
  WriteU16Record(out, rec::kBookBool, 0);
  styles.Write(out);
  WritePalette(out, workbook);
  std::vector<std::size_t> offsets;
  for (const auto& sheet : workbook.sheets) offsets.push_back(WriteBoundSheet(out, *sheet));
  out.Write(rec::kCountry, ByteBuffer().U16(1).U16(1));
  auto areas = PrintAreas(workbook);
  if (!areas.empty()) {
    WriteExternSheets(out, workbook, areas);
    for (std::size_t i = 0; i < areas.size(); ++i) WritePrintAreaName(out, areas[i], static_cast<std::uint16_t>(i));
  }
  xls::WriteChartNotes(out, workbook);
  strings.Write(out);
  out.Write(rec::kEof, ByteBuffer());
  return offsets;
}

}  // namespace tallowmere::engine::biff8
