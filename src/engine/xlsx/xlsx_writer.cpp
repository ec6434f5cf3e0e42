#include "engine/xlsx/xlsx_writer.h"

#include <xlsxwriter.h>

#include <filesystem>
#include <memory>

#include "engine/core/engine_error.h"
#include "engine/xlsx/xlsx_writer_parts.h"

namespace tallowmere::engine {
namespace {

using WorkbookHandle = std::unique_ptr<lxw_workbook, decltype(&lxw_workbook_free)>;

// A workbook of the library that writes to path, its scratch files in path's folder, which
// is known to take files.
WorkbookHandle NewWorkbook(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  std::string folder = parent.empty() ? std::filesystem::path(".").string() : parent.string();
  lxw_workbook_options options{};
  options.tmpdir = folder.data();
  WorkbookHandle book(workbook_new_opt(path.c_str(), &options), &lxw_workbook_free);
  if (!book) xlsx::Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "the workbook");
  return book;
}

// The workbook's Normal style gets the engine's default font: widths count in its digits,
// and a reader that measures them (LibreOffice) draws every column a quarter wider with
// the library's own default, Calibri 11. The library has no setter for it; its first
// format is the default one.
void SetNormalFont(lxw_workbook* book) {
  lxw_format* normal = STAILQ_FIRST(book->formats);
  const Font font;
  format_set_font_name(normal, font.name.c_str());
  format_set_font_size(normal, font.size);
}

lxw_worksheet* AddWorksheet(lxw_workbook* book, const std::string& name) {
  xlsx::Check(workbook_validate_sheet_name(book, name.c_str()), "the sheet name '" + name + "'");
  lxw_worksheet* worksheet = workbook_add_worksheet(book, name.c_str());
  if (!worksheet) xlsx::Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "the sheet '" + name + "'");
  return worksheet;
}

}  // namespace

void WriteXlsxFile(const WorkbookData& workbook, const std::string& path) {
  WorkbookHandle book = NewWorkbook(path);
  SetNormalFont(book.get());
  xlsx::XlsxFormats formats(book.get(), workbook);
  for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
    lxw_worksheet* worksheet = AddWorksheet(book.get(), workbook.sheets[i]->name);
    xlsx::WriteSheet(worksheet, *workbook.sheets[i], formats);
    xlsx::WriteCharts(book.get(), worksheet, *workbook.sheets[i]);
    xlsx::WriteConditionalFormats(book.get(), worksheet, *workbook.sheets[i]);
    if (static_cast<int>(i) == workbook.activeSheet) worksheet_activate(worksheet);
  }
  // Closing writes the file and frees the workbook, whatever the outcome.
  xlsx::Check(workbook_close(book.release()), "writing the file");
  xlsx::CheckWrittenWhole(path);
}

}  // namespace tallowmere::engine
