// Writing a workbook as .xls, .xlsx and PDF: a failed write leaves nothing behind and
// reports the path, a successful one replaces the old file at once; the object model
// refuses formats it does not write.
#include "engine/application/workbook_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>

#include "automation/automation.h"
#include "engine/application/application.h"
#include "platform/picture_clipboard.h"
#include "support/temporary_folder.h"

namespace tallowmere::engine {
namespace {

struct Format {
  const char* name;
  std::function<void(const WorkbookData&, const std::string&)> write;
  std::string magic;  // how the file starts
};
void PrintTo(const Format& format, std::ostream* out) { *out << format.name; }

class WorkbookFileTest : public ::testing::Test {
 protected:
  WorkbookFileTest() {
    book.sheets.push_back(std::make_shared<SheetData>());
    book.sheets.back()->name = "Sheet1";
    book.sheets.back()->Cells()[{1, 1}].value = Value::String("a cell");
  }
  std::string Path(const char* name) const { return dir.FilePath(name); }
  int Entries() const {
    return static_cast<int>(
        std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()));
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  testing::TemporaryFolder dir;
  WorkbookData book;
};

class EachFormat : public WorkbookFileTest, public ::testing::WithParamInterface<Format> {};

TEST_P(EachFormat, FailedWriteLeavesNoFileAndSuccessReplacesTheOldOne) {
  const std::string missing = Path("no-such-folder/book");
  try {
    GetParam().write(book, missing);
    FAIL() << "wrote into a missing folder";
  } catch (const AutomationError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
  }
  EXPECT_THROW(GetParam().write(book, dir.Path()), AutomationError);  // a folder, not a file

  const std::string path = Path("book");
  std::ofstream(path) << "old";
  GetParam().write(book, path);
  EXPECT_EQ(Read(path).substr(0, GetParam().magic.size()), GetParam().magic);
  EXPECT_EQ(Entries(), 1);  // no temporary or scratch file left beside it
}

// Files may not grow past a size while it lives, as on a nearly full disk: a write past it
// fails (the signal it would raise is ignored) rather than ending the program.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::optional<rlim_t> bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    if (bytes) limit.rlim_cur = *bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*handler_)(int);
};

struct XlsxFailure {
  const char* name;
  std::function<void(SheetData&)> fill;
  std::optional<rlim_t> fileSizeLimit;
};
void PrintTo(const XlsxFailure& failure, std::ostream* out) { *out << failure.name; }

class XlsxThatFails : public WorkbookFileTest, public ::testing::WithParamInterface<XlsxFailure> {};

TEST_P(XlsxThatFails, IsReportedAndLeavesTheOldFileAlone) {
  GetParam().fill(*book.sheets.back());
  const std::string path = Path("book.xlsx");
  std::ofstream(path) << "old";
  {
    const FileSizeLimit limit(GetParam().fileSizeLimit);
    EXPECT_THROW(WriteXlsx(book, path, LocalFileSystem()), AutomationError);
  }
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Entries(), 1);  // neither the fresh file nor a scratch file of the library
}

// A sheet name of the format may not start with an apostrophe.
void NameTheSheetAsTheFormatForbids(SheetData& sheet) { sheet.name = "'Plan'"; }

// Some 20 KB of sheet XML, which compresses to a few.
void FillWithNumbers(SheetData& sheet) {
  for (int row = 1; row <= 200; ++row) {
    for (int column = 1; column <= 4; ++column) sheet.Cells()[{row, column}].value = Value::Number(row * column);
  }
}

INSTANTIATE_TEST_SUITE_P(Xlsx, XlsxThatFails,
                         ::testing::Values(XlsxFailure{"RefusedSheetName", NameTheSheetAsTheFormatForbids,
                                                       std::nullopt},
                                           // The library's scratch copy of the sheet's XML is cut off at 12 KB while
                                           // the compressed zip still fits: the zip itself is intact.
                                           XlsxFailure{"DiskFullMidway", FillWithNumbers, 12 * 1024}),
                         [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Formats, EachFormat,
    ::testing::Values(
        Format{"Xls", [](auto& book, auto& path) { WriteXls(book, path, LocalFileSystem()); }, "\xD0\xCF\x11\xE0"},
        Format{"Xlsx", [](auto& book, auto& path) { WriteXlsx(book, path, LocalFileSystem()); }, "PK\x03\x04"},
        Format{"Pdf", [](auto& book, auto& path) { WritePdf(book, *book.sheets.front(), path, LocalFileSystem()); },
               "%PDF-"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(WorkbookFormats, OnlyTheFormatsTheEngineWritesAreAccepted) {
  testing::TemporaryFolder dir;
  InProcessClipboard clipboard;
  EngineApplicationFactory factory(clipboard, LocalFileSystem());
  auto app = factory.Create();
  auto workbook = app->GetWorkbooks().Add();
  const std::string path = dir.FilePath("book");
  EXPECT_THROW(workbook->SaveAs(path, 6), AutomationError);               // a CSV file
  EXPECT_THROW(workbook->ExportAsFixedFormat(1, path), AutomationError);  // an XPS document
  EXPECT_FALSE(std::filesystem::exists(path));
  workbook->ExportAsFixedFormat(xl::kTypePDF, path);
  EXPECT_TRUE(std::filesystem::exists(path));
  workbook->Close();
  EXPECT_THROW(workbook->ExportAsFixedFormat(xl::kTypePDF, path), AutomationError);
}

}  // namespace
}  // namespace tallowmere::engine
