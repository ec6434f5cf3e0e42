// The page keeps its texts as text: right-to-left words, words in a fallback face and
// plain ones come back from the PDF as they were written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/page/pdf_page.h"
#include "support/run_program.h"

namespace tallowmere::engine {
namespace {

std::string TextOfPdf(const std::vector<std::uint8_t>& pdf) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("tm-pdf-text-" + std::to_string(::getpid()) + ".pdf");
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(pdf.data()), std::ssize(pdf));
  const std::string text = testing::RunProgram({"pdftotext", file.string(), "-"}).out;
  std::filesystem::remove(file);
  return text;
}

class PdfText : public ::testing::TestWithParam<const char*> {};

TEST_P(PdfText, ComesBackFromThePage) {
  if (!testing::HaveProgram("pdftotext")) GTEST_SKIP() << "poppler-utils is not installed";
  WorkbookData book;
  SheetData& sheet = *book.sheets.emplace_back(std::make_shared<SheetData>());
  sheet.columnWidths[1] = 40;
  sheet.Cells()[{1, 1}].value = Value::String(GetParam());
  EXPECT_NE(TextOfPdf(RenderPdfPage(book, sheet)).find(GetParam()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Texts, PdfText,
                         ::testing::Values("Cash flow (before cash out)", "\u05e9\u05dc\u05d5\u05dd",
                                           "\u0645\u0631\u062d\u0628\u0627", "Rain \u2602 cover"));

}  // namespace
}  // namespace tallowmere::engine
