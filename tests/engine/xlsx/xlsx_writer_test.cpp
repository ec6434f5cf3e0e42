// The .xlsx writer on its own: sheet names the format refuses are reported by name, and
// the read-back check accepts the file as written and refuses one that is not whole.
#include "engine/xlsx/xlsx_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "engine/core/engine_error.h"
#include "engine/xlsx/xlsx_writer_parts.h"
#include "support/temporary_folder.h"

namespace tallowmere::engine {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A workbook of one sheet with some 20 KB of sheet XML.
WorkbookData NumbersBook(const std::string& sheetName) {
  WorkbookData book;
  book.sheets.push_back(std::make_shared<SheetData>());
  book.sheets.back()->name = sheetName;
  for (int row = 1; row <= 200; ++row) {
    for (int column = 1; column <= 4; ++column) book.sheets.back()->Cells()[{row, column}].value = Value::Number(row);
  }
  return book;
}

class SheetNames : public ::testing::TestWithParam<const char*> {};

TEST_P(SheetNames, TheFormatRefusesAreReportedByName) {
  testing::TemporaryFolder folder;
  try {
    WriteXlsxFile(NumbersBook(GetParam()), folder.FilePath("book.xlsx"));
    FAIL() << "wrote a sheet named " << GetParam();
  } catch (const EngineError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam()), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Refused, SheetNames,
                         ::testing::Values("'Plan'", "Plan'", "Plan/2027", "Plan[1]", "Q1:Q2", "Plan?", "Plan*",
                                           "A sheet name of thirty-two chars"));

struct Damage {
  const char* name;
  std::function<std::string(const std::string&)> apply;  // the damaged file from the whole one
  bool whole;
};
void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class WrittenWhole : public ::testing::TestWithParam<Damage> {};

TEST_P(WrittenWhole, TheReadBackAcceptsOnlyACompleteFile) {
  testing::TemporaryFolder folder;
  const std::string path = folder.FilePath("book.xlsx");
  WriteXlsxFile(NumbersBook("Plan"), path);
  Write(path, GetParam().apply(Read(path)));
  if (GetParam().whole) {
    EXPECT_NO_THROW(xlsx::CheckWrittenWhole(path));
  } else {
    EXPECT_THROW(xlsx::CheckWrittenWhole(path), EngineError);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, WrittenWhole,
    ::testing::Values(Damage{"AsWritten", [](const std::string& bytes) { return bytes; }, true},
                      Damage{"NotAZip", [](const std::string&) { return std::string("not a zip"); }, false},
                      Damage{"Empty", [](const std::string&) { return std::string(); }, false},
                      Damage{"CutInHalf", [](const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); },
                             false},
                      // The members' bytes overwritten, the zip's directory at the end intact.
                      Damage{"PartOverwritten",
                             [](const std::string& bytes) {
                               return bytes.substr(0, bytes.size() / 3) + std::string(bytes.size() / 3, '\0') +
                                      bytes.substr(2 * (bytes.size() / 3));
                             },
                             false}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tallowmere::engine
