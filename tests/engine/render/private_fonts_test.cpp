// The private font configuration: when it serves a workbook, and what it
// lays out under the user's cache folder.
#include "engine/render/private_fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/formula/formula.h"
#include "engine/render/font_coverage.h"

namespace tallowmere::engine {
namespace {

namespace fs = std::filesystem;

struct CoverageCase {
  const char* name;
  const char* text;  // a cell's text, or a text literal of its formula
  bool inFormula;
  const char* fontName;  // of the cell's style
  const char* numberFormat;
  bool served;
};

class FontCoverage : public ::testing::TestWithParam<CoverageCase> {};

TEST_P(FontCoverage, LiberationSansServesOnlyItsFacesAndScripts) {
  const CoverageCase& c = GetParam();
  WorkbookData book;
  book.sheets.push_back(std::make_shared<SheetData>());
  Cell& cell = book.sheets[0]->At(2, 3);
  if (c.inFormula)
    cell.formula = ParseFormulaR1C1(std::string("\"") + c.text + "\"&\"\"");
  else
    cell.value = Value::String(c.text);
  Style style;
  style.font.name = c.fontName;
  style.numberFormat = c.numberFormat;
  cell.style = book.styles.Intern(style);
  EXPECT_EQ(LiberationSansServes(book), c.served);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontCoverage,
    ::testing::Values(CoverageCase{"plain", "CASH ON HAND", false, "Arial", "General", true},
                      CoverageCase{"latin_greek_cyrillic", "Café Ölçü Ελλάδα Привет – €", false, "Arial", "General",
                                   true},
                      CoverageCase{"liberation_by_name", "x", false, "liberation sans", "#,##0", true},
                      CoverageCase{"currency_format", "x", false, "Arial", "[$₹-4009] #,##0;[Red]-\"¥\"#,##0", true},
                      CoverageCase{"cjk_text", "東京支店", false, "Arial", "General", false},
                      CoverageCase{"cjk_literal", "東京", true, "Arial", "General", false},
                      CoverageCase{"emoji", "Sales 📈", false, "Arial", "General", false},
                      CoverageCase{"other_face", "x", false, "Calibri", "General", false},
                      CoverageCase{"format_literal", "x", false, "Arial", "0 \"元\"", false}),
    [](const ::testing::TestParamInfo<CoverageCase>& test) { return std::string(test.param.name); });

class PrivateFonts : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tm-fonts-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "fonts");
    std::ofstream(root_ / "fonts" / "Face.ttf") << "face";
  }
  void TearDown() override { fs::remove_all(root_); }
  static std::string Read(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  fs::path root_;
};

TEST_F(PrivateFonts, RootMirrorsTheFontFolderAndNamesOnlyIt) {
  const std::string fonts = (root_ / "fonts").string();
  const std::string made = PrivateFontRoot((root_ / "cache").string(), fonts);
  ASSERT_EQ(made, (root_ / "cache" / "tallowmere" / "fontconfig").string());
  const std::string config = Read(fs::path(made) / "etc" / "fonts" / "fonts.conf");
  EXPECT_NE(config.find("<dir>" + fonts + "</dir>"), std::string::npos);
  EXPECT_EQ(config.find("/usr/share/fonts<"), std::string::npos);
  // fontconfig reads the folder below the root: a link to the real one.
  EXPECT_EQ(Read(fs::path(made) / fs::path(fonts).relative_path() / "Face.ttf"), "face");
  // A second run finds everything in place and keeps it.
  EXPECT_EQ(PrivateFontRoot((root_ / "cache").string(), fonts), made);
  EXPECT_EQ(Read(fs::path(made) / "etc" / "fonts" / "fonts.conf"), config);
}

TEST_F(PrivateFonts, NoRootWithoutACacheFolderOrTheFonts) {
  EXPECT_EQ(PrivateFontRoot("", (root_ / "fonts").string()), "");
  EXPECT_EQ(PrivateFontRoot((root_ / "cache").string(), (root_ / "missing").string()), "");
  // A cache folder that cannot be made (a file stands in its way).
  std::ofstream(root_ / "blocked") << "";
  EXPECT_EQ(PrivateFontRoot((root_ / "blocked").string(), (root_ / "fonts").string()), "");
}

}  // namespace
}  // namespace tallowmere::engine
