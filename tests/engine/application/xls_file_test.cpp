// Saving a workbook as an .xls file: a failed save leaves nothing behind and reports the
// path, a successful one replaces the old file at once.
#include "engine/application/xls_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "automation/automation.h"

namespace tallowmere::engine {
namespace {

TEST(XlsWriterFileTest, FailedSaveLeavesNoFileAndSuccessReplacesAtomically) {
  QTemporaryDir dir;
  WorkbookData book;
  book.sheets.push_back(std::make_shared<SheetData>());
  book.sheets.back()->name = "Sheet1";
  const std::string missing = dir.filePath("no-such-folder/book.xls").toStdString();
  try {
    WriteXls(book, missing, LocalFileSystem());
    FAIL() << "saved into a missing folder";
  } catch (const AutomationError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
  }
  EXPECT_THROW(WriteXls(book, dir.path().toStdString(), LocalFileSystem()), AutomationError);  // a folder, not a file

  const std::string path = dir.filePath("book.xls").toStdString();
  std::ofstream(path) << "old";
  WriteXls(book, path, LocalFileSystem());
  EXPECT_GE(std::filesystem::file_size(path), 4096u);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString())) ++entries;
  EXPECT_EQ(entries, 1);  // no temporary file left beside it
}

}  // namespace
}  // namespace tallowmere::engine
