#include "engine/xls/xls_writer.h"

#include "engine/xls/internal/compound_file.h"
#include "engine/xls/xls_writer_parts.h"

namespace tallowmere::engine {
namespace {

// Readers take a stream under 4096 bytes from the compound file's mini-stream; a
// workbook stream is padded past that size so that every reader meets the plain form.
constexpr std::size_t kMinimumStreamSize = 4096;

biff8::SharedStrings CollectStrings(const WorkbookData& workbook) {
  biff8::SharedStrings strings;
  for (const auto& sheet : workbook.sheets) {
    for (const auto& [position, cell] : sheet->Cells()) {
      if (!cell.formula && cell.value.type == Value::Type::String) strings.Add(cell.value.text);
    }
  }
  return strings;
}

}  // namespace

std::vector<std::uint8_t> BuildWorkbookStream(const WorkbookData& workbook) {
  biff8::XlsStyles styles(workbook);
  biff8::SharedStrings strings = CollectStrings(workbook);
  biff8::RecordStream out;
  auto sheetOffsets = biff8::WriteGlobals(out, workbook, styles, strings);
  for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
    out.Patch32(sheetOffsets[i], static_cast<std::uint32_t>(out.Position()));
    biff8::WriteSheet(out, workbook, *workbook.sheets[i], static_cast<int>(i) == workbook.activeSheet, styles, strings);
  }
  out.PadTo(kMinimumStreamSize);
  return std::move(out.Data());
}

std::vector<std::uint8_t> BuildXlsFile(const WorkbookData& workbook) {
  return BuildCompoundFile("Workbook", BuildWorkbookStream(workbook));
}

}  // namespace tallowmere::engine
