#include "engine/application/workbook_files.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/application/internal/call_engine.h"
#include "engine/application/internal/xlsx_loader.h"
#include "engine/page/pdf_page.h"
#include "engine/xls/xls_writer.h"

namespace tallowmere::engine {
namespace {

// Runs write, which makes the file at path whole or not at all; a failing file operation
// becomes the object model's error naming path, as the engine's own errors do.
void Write(const std::string& what, const std::string& path, const std::function<void()>& write) {
  try {
    CallEngine(write);
  } catch (const FileError& error) {
    throw AutomationError("Cannot " + what + " '" + path + "': " + error.Reason());
  }
}

void WriteBytes(const std::string& what, const std::string& path, FileSystem& files,
                const std::function<std::vector<std::uint8_t>()>& build) {
  const auto bytes = CallEngine(build);
  Write(what, path, [&] { WriteFileWhole(files, path, bytes.data(), bytes.size()); });
}

}  // namespace

void WriteXls(const WorkbookData& workbook, const std::string& path, FileSystem& files) {
  WriteBytes("save the workbook", path, files, [&] { return BuildXlsFile(workbook); });
}

void WriteXlsx(const WorkbookData& workbook, const std::string& path, FileSystem& files) {
  // The library writes the file by name: it fills the fresh file that then replaces path.
  Write("save the workbook", path,
        [&] { WriteFileWholeWith(files, path, [&](const std::string& fresh) { XlsxWriter()(workbook, fresh); }); });
}

void WritePdf(const WorkbookData& workbook, const SheetData& sheet, const std::string& path, FileSystem& files) {
  WriteBytes("export the sheet", path, files, [&] { return RenderPdfPage(workbook, sheet); });
}

}  // namespace tallowmere::engine
