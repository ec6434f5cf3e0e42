// What other programs read in the engine's workbooks: a sheet built through the object
// model is saved, then read by xlrd (an independent BIFF8 reader) and converted by
// LibreOffice, whose recalculated values and formats are compared with the engine's; the
// engine's own .xlsx of the sheet must read as LibreOffice's does, and keep the rest.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "automation/automation.h"
#include "engine/application/application.h"
#include "interop/openpyxl_dump.h"
#include "interop/program_output.h"
#include "sheet/cell_helpers.h"

namespace tallowmere::engine {
namespace {

using testing::CellOf;
using testing::ExpectCashFlowPageSetup;
using testing::ExpectNoHeaderFooterMargins;
using testing::ProgramOutput;
using testing::PythonHas;
using testing::RunPythonJson;
using testing::StoredWidthPixels;

// A small cash-flow-like sheet, built as the layout builds one: select, then set.
void BuildSampleSheet(Application& app) {
  auto set = [&](const std::string& address, const std::string& text) {
    app.GetRange(address)->Select();
    app.ActiveCell()->SetFormulaR1C1(text);
    app.Selection()->Merge();
  };
  app.ActiveWorkbook()->SetColor(43, 177 + 256 * 255 + 65536 * 209);
  app.ActiveWorkbook()->SetColor(55, 204 + 256 * 255 + 65536 * 204);
  app.GetSheets().Item(1)->SetName("CashFlow");
  app.Cells()->Select();
  app.Cells()->Clear();
  app.Selection()->SetFontName("Arial");
  app.Selection()->SetInteriorColorIndex(2);
  app.Columns("A:A")->Select();
  app.Selection()->SetColumnWidth(1.0);
  app.Columns("B:B")->Select();
  app.Selection()->SetColumnWidth(32.0);
  app.Columns("C:C")->Select();
  app.Selection()->SetColumnWidth(10.83);
  app.Columns("D:D")->Select();
  app.Selection()->SetColumnWidth(8.33);
  app.Rows("2:2")->Select();
  app.Selection()->SetRowHeight(27.75);
  app.Rows("4:4")->Select();
  app.Selection()->SetRowHeight(24.75);

  set("B2", "Cash flow");
  app.Selection()->SetFontStyle("Bold");
  app.Selection()->SetFontSize(19);
  app.Selection()->SetFontColorIndex(12);
  set("E2", "1/1/2013");  // a date entry
  set("D4", "=R[-2]C[1]");
  app.Selection()->SetNumberFormat("mmm-yy");
  set("E4", "=DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)");
  app.Selection()->SetNumberFormat("mmm-yy");
  app.Selection()->SetHorizontalAlignment(xl::kRight);

  app.GetRange("B4:E9")->Select();
  for (int border = xl::kEdgeLeft; border <= xl::kInsideHorizontal; ++border) {
    app.Selection()->SetBorderWeight(border, xl::kThin);
    app.Selection()->SetBorderColorIndex(border, 16);
  }
  app.Selection()->SetVerticalAlignment(xl::kCenter);
  set("B5", "Cash Sales");
  set("C5", "1200.5");
  set("C6", "3000");
  set("B7", "TOTAL");
  app.Selection()->SetFontStyle("Bold");
  app.Selection()->SetFontSize(9);
  app.Selection()->SetInteriorColorIndex(55);
  app.Selection()->SetWrapText(true);
  set("C7", "=R[-2]C[0]+R[-1]C[0]");
  app.GetRange("C7:E7")->Select();
  app.Selection()->SetInteriorColorIndex(43);
  app.GetRange("C5:E9")->Select();
  app.Selection()->SetNumberFormat("#,##0");
  set("B8", "Text with ünïcödé €");
  app.GetRange("B9:C9")->Select();
  app.ActiveCell()->SetFormulaR1C1("merged");
  app.Selection()->Merge();

  SetupPage(app, "A1:E11");  // the page setup the cash-flow layout uses
  app.GetRange("C5")->Select();
}

class XlsWriterInteropTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir();
    path_ = dir_->filePath("book.xls").toStdString();
    xlsxPath_ = dir_->filePath("own.xlsx");
    InProcessClipboard clipboard;
    EngineApplicationFactory factory(clipboard, LocalFileSystem());
    auto app = factory.Create();
    app->GetWorkbooks().Add();
    BuildSampleSheet(*app);
    app->ActiveWorkbook()->SaveAs(path_, xl::kExcel8);
    app->ActiveWorkbook()->SaveAs(xlsxPath_.toStdString(), xl::kOpenXMLWorkbook);
    app->Quit();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static QTemporaryDir* dir_;
  static std::string path_;
  static QString xlsxPath_;  // the same sheet saved as .xlsx
};
QTemporaryDir* XlsWriterInteropTest::dir_ = nullptr;
std::string XlsWriterInteropTest::path_;
QString XlsWriterInteropTest::xlsxPath_;

QJsonArray Rgb(int r, int g, int b) { return QJsonArray{r, g, b}; }

TEST_F(XlsWriterInteropTest, XlrdReadsValuesFormatsAndLayout) {
  if (!PythonHas("xlrd")) GTEST_SKIP() << "python3-xlrd is not installed";
  QJsonObject dump = RunPythonJson("xlrd_dump.py", {QString::fromStdString(path_)});
  ASSERT_FALSE(dump.isEmpty());
  EXPECT_EQ(dump["sheet"].toString(), "CashFlow");

  QJsonObject title = CellOf(dump, 2, 2);
  EXPECT_EQ(title["value"].toString(), "Cash flow");
  EXPECT_TRUE(title["bold"].toBool());
  EXPECT_EQ(title["size"].toDouble(), 19.0);
  EXPECT_EQ(title["fontColor"].toArray(), Rgb(128, 128, 0));  // entry 12 of the standard palette

  EXPECT_EQ(CellOf(dump, 2, 5)["value"].toDouble(), 41275.0);  // 1/1/2013
  EXPECT_EQ(CellOf(dump, 2, 5)["format"].toString(), "m/d/yyyy");
  EXPECT_EQ(CellOf(dump, 4, 4)["value"].toDouble(), 41275.0);  // formulas' cached results
  EXPECT_EQ(CellOf(dump, 4, 5)["value"].toDouble(), 41306.0);
  EXPECT_EQ(CellOf(dump, 4, 5)["format"].toString(), "mmm-yy");
  EXPECT_EQ(CellOf(dump, 4, 5)["hAlign"].toInt(), 3);  // right
  EXPECT_EQ(CellOf(dump, 7, 3)["value"].toDouble(), 4200.5);
  EXPECT_EQ(CellOf(dump, 7, 3)["format"].toString(), "#,##0");
  EXPECT_EQ(CellOf(dump, 7, 3)["fill"].toArray(), Rgb(177, 255, 209));  // palette entry set by the workbook

  QJsonObject total = CellOf(dump, 7, 2);
  EXPECT_TRUE(total["bold"].toBool());
  EXPECT_EQ(total["size"].toDouble(), 9.0);
  EXPECT_EQ(total["fill"].toArray(), Rgb(204, 255, 204));
  EXPECT_EQ(total["wrap"].toInt(), 1);
  EXPECT_EQ(total["vAlign"].toInt(), 1);  // centred
  EXPECT_EQ(CellOf(dump, 4, 2)["borders"].toArray(), (QJsonArray{1, 1, 1, 1}));
  EXPECT_EQ(CellOf(dump, 4, 2)["borderColor"].toArray(), Rgb(128, 128, 128));
  EXPECT_EQ(CellOf(dump, 8, 2)["value"].toString(), QString::fromUtf8("Text with ünïcödé €"));

  QJsonObject widths = dump["widths"].toObject();
  EXPECT_EQ(widths["2"].toInt(), 8374);  // 32 characters
  EXPECT_EQ(widths["4"].toInt(), 2315);  // 8.33 characters
  QJsonObject heights = dump["heights"].toObject();
  EXPECT_EQ(heights["2"].toInt(), 555);  // 27.75 points in twips
  EXPECT_EQ(heights["4"].toInt(), 495);
  EXPECT_TRUE(dump["customHeights"].toArray().contains(2));
  EXPECT_FALSE(dump["customHeights"].toArray().contains(5));
  EXPECT_EQ(dump["merges"].toArray(), (QJsonArray{QJsonArray{8, 9, 1, 3}}));
  EXPECT_EQ(dump["printArea"].toArray(), (QJsonArray{QJsonArray{"Print_Area", "CashFlow!$A$1:$E$11"}}));
}

// What openpyxl must read in an .xlsx of the sample sheet, whoever wrote it: the engine's
// values (recalculated or stored), formulas as A1 texts, formats, heights, merges and
// page setup.
void ExpectSampleSheet(const QJsonObject& dump) {
  EXPECT_EQ(CellOf(dump, 4, 4)["value"].toString(), "2013-01-01T00:00:00");
  EXPECT_EQ(CellOf(dump, 4, 4)["formula"].toString(), "=E2");
  EXPECT_EQ(CellOf(dump, 4, 5)["value"].toString(), "2013-02-01T00:00:00");
  EXPECT_EQ(CellOf(dump, 4, 5)["formula"].toString(), "=DATE(YEAR(D4),MONTH(D4)+1,1)");
  EXPECT_EQ(CellOf(dump, 7, 3)["value"].toDouble(), 4200.5);
  EXPECT_EQ(CellOf(dump, 7, 3)["formula"].toString(), "=C5+C6");

  EXPECT_EQ(CellOf(dump, 4, 5)["format"].toString().remove('\\'), "mmm-yy");
  EXPECT_EQ(CellOf(dump, 7, 3)["format"].toString(), "#,##0");
  EXPECT_EQ(CellOf(dump, 7, 3)["fill"].toString(), "FFB1FFD1");
  EXPECT_EQ(CellOf(dump, 7, 2)["fill"].toString(), "FFCCFFCC");
  EXPECT_TRUE(CellOf(dump, 2, 2)["bold"].toBool());
  EXPECT_FALSE(CellOf(dump, 5, 2)["bold"].toBool());

  EXPECT_EQ(dump["heights"].toObject()["2"].toDouble(), 27.75);
  EXPECT_EQ(dump["heights"].toObject()["4"].toDouble(), 24.75);
  EXPECT_EQ(dump["merges"].toArray(), QJsonArray{"B9:C9"});

  ExpectCashFlowPageSetup(dump, "$A$1:$E$11");
}

TEST_F(XlsWriterInteropTest, LibreOfficeRecalculatesTheSameValuesAndKeepsFormats) {
  const QString soffice = QStandardPaths::findExecutable("soffice");
  if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  if (!PythonHas("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
  const QString out = dir_->filePath("out");
  const QString profile = "-env:UserInstallation=file://" + dir_->filePath("lo-profile");
  const QString book = QString::fromStdString(path_);
  ASSERT_TRUE(ProgramOutput(soffice, {profile, "--headless", "--convert-to", "xlsx", "--outdir", out, book}));
  ASSERT_TRUE(ProgramOutput(soffice, {profile, "--headless", "--convert-to",
                                      "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir", out, book}));
  QJsonObject dump = RunPythonJson("openpyxl_dump.py", {out + "/book.xlsx"});
  ASSERT_FALSE(dump.isEmpty());

  ExpectSampleSheet(dump);  // recalculated by LibreOffice
  // An xlsx width counts the 5-pixel padding (5/7 of a character in Arial 10).
  QJsonObject widths = dump["widths"].toObject();
  for (auto [column, characters] : {std::pair{"A", 1.0}, {"B", 32.0}, {"C", 10.83}, {"D", 8.33}}) {
    EXPECT_NEAR(widths[column].toDouble() - 5.0 / 7, characters, 0.02) << column;
  }
  // (LibreOffice drops the header and footer margins of a page without header or
  // footer; the writer's own test checks that the file holds 0.)

  // Displayed texts, in UTF-8.
  QFile csv(out + "/book.csv");
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n');
  ASSERT_GE(lines.size(), 9);
  EXPECT_EQ(lines[3].trimmed().toStdString(), ",,,Jan-13,Feb-13");
  EXPECT_EQ(lines[6].trimmed().toStdString(), ",\"TOTAL\",\"4,201\",,");
  EXPECT_TRUE(lines[7].contains(QString::fromUtf8("ünïcödé €")));
}

TEST_F(XlsWriterInteropTest, OwnXlsxHoldsTheSameValuesFormatsAndPageSetup) {
  if (!PythonHas("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
  QJsonObject dump = RunPythonJson("openpyxl_dump.py", {xlsxPath_});
  ASSERT_FALSE(dump.isEmpty());
  ExpectSampleSheet(dump);

  EXPECT_EQ(CellOf(dump, 2, 2)["fontColor"].toString(), "FF808000");  // entry 12 of the standard palette
  EXPECT_EQ(CellOf(dump, 5, 2)["borders"].toArray(), (QJsonArray{"thin", "thin", "thin", "thin"}));
  EXPECT_EQ(CellOf(dump, 5, 2)["borderColor"].toString(), "FF808080");
  EXPECT_EQ(CellOf(dump, 4, 5)["hAlign"].toString(), "right");
  EXPECT_EQ(CellOf(dump, 7, 2)["vAlign"].toString(), "center");
  EXPECT_TRUE(CellOf(dump, 7, 2)["wrap"].toBool());
  EXPECT_EQ(CellOf(dump, 8, 2)["value"].toString(), QString::fromUtf8("Text with ünïcödé €"));
  EXPECT_EQ(CellOf(dump, 9, 2)["value"].toString(), "merged");
  EXPECT_EQ(CellOf(dump, 2, 5)["format"].toString(), "m/d/yyyy");
  // Widths as whole pixels, as wide as the engine's picture shows the columns.
  QJsonObject widths = dump["widths"].toObject();
  for (auto [column, pixels] : {std::pair{"A", 12}, {"B", 229}, {"C", 81}, {"D", 63}}) {
    EXPECT_EQ(StoredWidthPixels(widths[column].toDouble()), pixels) << column;
  }
  ExpectNoHeaderFooterMargins(dump);
}

}  // namespace
}  // namespace tallowmere::engine
