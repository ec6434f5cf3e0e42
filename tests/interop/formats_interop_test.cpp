// The cash-flow workbook as .xlsx and as a PDF page, made through the object model for the
// month, year and week layouts (the 136-column month layout and 101 years among them), as
// other programs read them: LibreOffice reads the same texts, formulas and recalculated
// values from the .xlsx as from the .xls; openpyxl reads the engine's fills, sizes and
// page setup; poppler's tools find one A4 landscape page holding the sheet's texts in
// embedded fonts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "engine/core/address.h"
#include "engine/core/calc.h"
#include "engine/core/number_format.h"
#include "engine/render/render_grid.h"
#include "interop/openpyxl_dump.h"
#include "interop/program_output.h"
#include "interop/xls_reader_fixture.h"

namespace tallowmere::testing {
namespace {

struct Layout {
  std::string name;
  ReportParameters parameters;
};

void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.name; }

ReportParameters ForAnchorCo(ReportParameters parameters) {
  parameters.company = "Anchor Co";
  return parameters;
}

const std::vector<Layout>& Layouts() {
  static const std::vector<Layout> layouts{
      {"month", DefaultMonthReport()},
      {"month_136_columns", ForAnchorCo(ByMonth("2013", "2023"))},
      {"year_101_years", ForAnchorCo(ByYear("2000", "2100"))},
      {"week_100_weeks", ForAnchorCo(ByWeek("100"))},
  };
  return layouts;
}

// One layout's workbook as the engine holds it and its three files.
struct Made {
  std::shared_ptr<engine::WorkbookData> book;
  QString xls, xlsx, pdf;
  const engine::SheetData& Sheet() const { return *book->sheets.front(); }
  engine::CellRect PrintArea() const {
    return *engine::ParseAddress(Sheet().pageSetup.printArea, engine::AddressKind::Cells);
  }
};

class Formats : public ::testing::TestWithParam<Layout> {
 protected:
  static void SetUpTestSuite() { scratch_ = new ScratchDir("formats-interop"); }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
    made_.clear();
  }

  // The files of this test's layout, made once for all its tests.
  static const Made& Files() {
    Made& made = made_[GetParam().name];
    if (made.book) return made;
    const std::string stem = scratch_->File(GetParam().name);
    made.xls = QString::fromStdString(stem + ".xls");
    made.xlsx = QString::fromStdString(stem + "-x.xlsx");
    made.pdf = QString::fromStdString(stem + ".pdf");
    made.book = SaveCashFlowWorkbook(GetParam().parameters, made.xls.toStdString(), [&](Workbook& workbook) {
      workbook.SaveAs(made.xlsx.toStdString(), xl::kOpenXMLWorkbook);
      workbook.ExportAsFixedFormat(xl::kTypePDF, made.pdf.toStdString());
    });
    return made;
  }

  static QString Scratch(const QString& name) { return QString::fromStdString(scratch_->File(name.toStdString())); }

  static ScratchDir* scratch_;
  static std::map<std::string, Made> made_;
};
ScratchDir* Formats::scratch_ = nullptr;
std::map<std::string, Made> Formats::made_;

// --- LibreOffice ---------------------------------------------------------------------

// A LibreOffice profile that recalculates every .xlsx it opens, rather than showing the
// results stored in the file.
QString RecalculatingProfile(const QString& folder) {
  QDir().mkpath(folder + "/user");
  QFile settings(folder + "/user/registrymodifications.xcu");
  settings.open(QIODevice::WriteOnly);
  settings.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema"
           xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
)");
  return "-env:UserInstallation=file://" + folder;
}

// Converts each file to CSV in folder (named after the file, in UTF-8), with the cells as
// shown or with the formulas' texts; the CSV texts in the files' order.
QStringList ConvertToCsv(const QStringList& files, const QString& folder, bool formulas) {
  const QString filter = formulas ? "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,true"
                                  : "csv:Text - txt - csv (StarCalc):44,34,76,1";
  const QString profile = RecalculatingProfile(folder + "/profile");
  QStringList texts;
  if (!ProgramOutput("soffice", QStringList{profile, "--headless", "--convert-to", filter, "--outdir", folder} + files,
                     300)) {
    return texts;
  }
  for (const QString& file : files) {
    QFile csv(folder + "/" + QFileInfo(file).completeBaseName() + ".csv");
    csv.open(QIODevice::ReadOnly);
    texts.push_back(QString::fromUtf8(csv.readAll()));
  }
  return texts;
}

// "" when the texts are equal, else the first line in which they differ.
std::string FirstDifference(const QString& expected, const QString& actual) {
  const QStringList a = expected.split('\n'), b = actual.split('\n');
  for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
    const QString left = a.value(i), right = b.value(i);
    if (left != right)
      return "line " + std::to_string(i + 1) + ":\n  " + left.toStdString() + "\n  " + right.toStdString();
  }
  return "";
}

TEST_P(Formats, LibreOfficeReadsTheSameTextsFormulasAndRecalculatedValuesAsFromTheXls) {
  if (!HaveSoffice()) GTEST_SKIP() << "LibreOffice is not installed";
  const Made& made = Files();
  for (bool formulas : {false, true}) {
    SCOPED_TRACE(formulas ? "formulas" : "values");
    const QStringList csv = ConvertToCsv(
        {made.xls, made.xlsx}, Scratch(QString::fromStdString(GetParam().name) + (formulas ? "-f" : "-v")), formulas);
    ASSERT_EQ(csv.size(), 2);
    EXPECT_GT(csv[0].count(formulas ? "=" : "Anchor Co"), 0) << csv[0].left(400).toStdString();
    EXPECT_EQ(FirstDifference(csv[0], csv[1]), "");
  }
}

// --- openpyxl ------------------------------------------------------------------------

// The fill of a style as openpyxl shows it: "FFRRGGBB" from the palette, or null.
QJsonValue FillOf(const engine::WorkbookData& book, engine::StyleId style) {
  const int index = book.styles.Get(style).fillColorIndex;
  if (index < 1 || index > 56) return QJsonValue::Null;
  const std::uint32_t bgr = book.palette[static_cast<std::size_t>(index - 1)];
  return QString::asprintf("FF%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

TEST_P(Formats, OpenpyxlReadsTheEnginesFillsSizesAndPageSetup) {
  if (!PythonHas("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
  const Made& made = Files();
  const engine::SheetData& sheet = made.Sheet();
  const engine::CellRect area = made.PrintArea();
  const QJsonObject dump = RunPythonJson("openpyxl_dump.py", {made.xlsx});
  ASSERT_FALSE(dump.isEmpty());
  EXPECT_EQ(dump["sheet"].toString(), "CashFlow");
  EXPECT_EQ(dump["normalFont"].toArray(), (QJsonArray{"Arial", 10}));  // the unit of the widths

  int withContent = 0;
  for (const auto& [position, cell] : sheet.Cells()) {
    if (!cell.HasContent()) continue;
    ++withContent;
    const QJsonObject read = CellOf(dump, position.first, position.second);
    ASSERT_FALSE(read.isEmpty()) << position.first << "," << position.second;
    EXPECT_EQ(read["fill"], FillOf(*made.book, cell.style)) << position.first << "," << position.second;
  }
  EXPECT_GT(withContent, 100);

  const QJsonArray columns = dump["columns"].toArray();
  for (int column = 1; column <= area.lastColumn; ++column) {
    const auto range = std::find_if(columns.begin(), columns.end(), [&](const QJsonValue& r) {
      return r[0].toInt() <= column && column <= r[1].toInt();
    });
    ASSERT_NE(range, columns.end()) << column;
    // The library stores widths rounded to whole pixels (the .xls keeps the fraction):
    // both show the column as wide as the engine's picture does.
    EXPECT_EQ(StoredWidthPixels((*range)[2].toDouble()), engine::ColumnWidthPixels(sheet.ColumnWidth(column)))
        << column;
    EXPECT_EQ((*range)[3], FillOf(*made.book, sheet.InheritedStyle(0, column))) << column;
  }
  const QJsonObject heights = dump["heights"].toObject();
  for (int row = 1; row <= area.lastRow; ++row) {
    const double height = heights[QString::number(row)].toDouble(dump["defaultHeight"].toDouble());
    EXPECT_EQ(height, sheet.RowHeight(row)) << row;
  }

  QString printArea = QString::fromStdString(sheet.pageSetup.printArea);
  printArea.replace(QRegularExpression("([A-Z]+)([0-9]+)"), "$\\1$\\2");
  ExpectCashFlowPageSetup(dump, printArea);
  ExpectNoHeaderFooterMargins(dump);
}

// --- The PDF page --------------------------------------------------------------------

QString OutputOf(const QString& program, const QStringList& args) {
  return QString::fromUtf8(ProgramOutput(program, args).value_or(QByteArray()));
}

// What the page must show: the title, the company, the column headers and every item name,
// as the engine displays them.
QStringList ExpectedTexts(const Made& made) {
  const engine::SheetData& sheet = made.Sheet();
  const engine::CellRect area = made.PrintArea();
  engine::Calculator calculator(sheet);
  const auto shown = [&](int row, int column) {
    const engine::Style& style = made.book->styles.Get(sheet.EffectiveStyle(row, column));
    return QString::fromStdString(engine::FormatForDisplay(calculator.ValueAt(row, column), style.numberFormat));
  };
  QStringList texts{"Cash flow", "Anchor Co"};
  for (int column = 3; column <= area.lastColumn; ++column) texts.push_back(shown(4, column));
  for (int row = 5; row <= area.lastRow; ++row) {
    if (!shown(row, 2).isEmpty()) texts.push_back(shown(row, 2));
  }
  return texts;
}

TEST_P(Formats, PdfIsOneA4LandscapePageWithTheSheetsTextsInEmbeddedFonts) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
  const Made& made = Files();
  const QString info = OutputOf("pdfinfo", {made.pdf});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+842 x 595 pts"))) << info.toStdString();

  const QString text = OutputOf("pdftotext", {made.pdf, "-"}).simplified();
  for (const QString& expected : ExpectedTexts(made)) {
    EXPECT_TRUE(text.contains(expected.simplified())) << expected.toStdString();
  }

  const QStringList fonts = OutputOf("pdffonts", {made.pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts) {
    // name, type, encoding, then "emb sub uni" as yes or no, then the object number.
    const auto columns = QRegularExpression("\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$").match(font);
    ASSERT_TRUE(columns.hasMatch()) << font.toStdString();
    EXPECT_EQ(columns.captured(1), "yes") << font.toStdString();
  }
}

// The page holds the whole print area, however large: 2,000 rows are twice as tall as
// the largest picture.
TEST(PdfPage, HoldsAPrintAreaLargerThanAPicture) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
  ScratchDir scratch("pdf-large");
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  auto app = factory.Create();
  auto workbook = app->GetWorkbooks().Add();
  app->GetRange("A1")->SetFormulaR1C1("first row");
  app->GetRange("A2000")->SetFormulaR1C1("last row");
  PageSetup& page = workbook->ActiveSheet()->GetPageSetup();
  page.SetPrintArea("A1:A2000");
  page.SetZoomOff();
  page.SetFitToPagesWide(1);
  page.SetFitToPagesTall(1);
  const std::string pdf = scratch.File("large.pdf");
  workbook->ExportAsFixedFormat(xl::kTypePDF, pdf);
  const QString text = OutputOf("pdftotext", {QString::fromStdString(pdf), "-"});
  EXPECT_TRUE(text.contains("first row") && text.contains("last row")) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Layouts, Formats, ::testing::ValuesIn(Layouts()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tallowmere::testing
