#include "engine/application/xls_file.h"

#include "engine/application/call_engine.h"
#include "engine/xls/xls_writer.h"

namespace tallowmere::engine {

void WriteXls(const WorkbookData& workbook, const std::string& path, FileSystem& files) {
  const auto document = CallEngine([&] { return BuildXlsFile(workbook); });
  try {
    WriteFileWhole(files, path, document.data(), document.size());
  } catch (const FileError& error) {
    throw AutomationError("Cannot save the workbook '" + path + "': " + error.Reason());
  }
}

}  // namespace tallowmere::engine
