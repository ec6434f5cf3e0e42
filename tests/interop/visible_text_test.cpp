// What a user sees of the default month sheet: its picture and its printed page show the
// title, an item name and a month header in dark ink where they stand. pdftotext alone
// would read invisible text too, so the page is also rasterised with pdftoppm.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <string>
#include <vector>

#include "engine/core/calc.h"
#include "engine/core/number_format.h"
#include "engine/core/sheet_format.h"
#include "engine/render/render.h"
#include "engine/render/render_grid.h"
#include "interop/program_output.h"
#include "interop/xls_reader_fixture.h"

namespace tallowmere::testing {
namespace {

// The texts looked for: the title, an item name, the first month header.
const std::vector<std::string> kTexts{"Cash flow", "Cash Sales", "Jan-13"};

// Pixels darker than mid grey in area: ink of the black font, not of the light fills.
int DarkInk(const QImage& image, QRect area) {
  int count = 0;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
  }
  return count;
}

class VisibleText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchDir("visible-text");
    pdf_ = scratch_->File("month.pdf");
    book_ = SaveCashFlowWorkbook(DefaultMonthReport(), scratch_->File("month.xls"),
                                 [](Workbook& workbook) { workbook.ExportAsFixedFormat(xl::kTypePDF, pdf_); });
  }
  static void TearDownTestSuite() {
    book_.reset();
    delete scratch_;
  }

  // The first cell that shows text, inside the used range.
  static engine::CellRect CellShowing(const std::string& text) {
    const engine::SheetData& sheet = *book_->sheets.front();
    engine::Calculator calculator(sheet);
    for (const auto& [position, cell] : sheet.Cells()) {
      const engine::Style& style = book_->styles.Get(sheet.EffectiveStyle(position.first, position.second));
      if (engine::FormatForDisplay(calculator.ValueAt(position.first, position.second), style.numberFormat) == text)
        return {position.first, position.second, position.first, position.second};
    }
    ADD_FAILURE() << "no cell shows " << text;
    return {1, 1, 1, 1};
  }

  static ScratchDir* scratch_;
  static std::string pdf_;
  static std::shared_ptr<engine::WorkbookData> book_;
};
ScratchDir* VisibleText::scratch_ = nullptr;
std::string VisibleText::pdf_;
std::shared_ptr<engine::WorkbookData> VisibleText::book_;

TEST_F(VisibleText, PictureShowsDarkInkInsideTheTitleAnItemAndAMonthHeader) {
  const engine::SheetData& sheet = *book_->sheets.front();
  const engine::CellRect used = engine::UsedRect(sheet);
  const QImage image = DecodeBmp(engine::RenderRangeBmp(*book_, sheet, used));
  const engine::PictureGrid grid = engine::LayOutGrid(sheet, used, engine::kMaxPicturePixels);
  for (const std::string& text : kTexts) {
    const engine::CellRect cell = CellShowing(text);
    // Inside the cell, clear of the borders on its edges.
    const QRect inside(QPoint(grid.Left(cell.firstColumn) + 2, grid.Top(cell.firstRow) + 2),
                       QPoint(grid.Right(cell.firstColumn) - 3, grid.Bottom(cell.firstRow) - 3));
    EXPECT_GT(DarkInk(image, inside), 15) << text;
  }
}

TEST_F(VisibleText, PageShowsTheSameTextsInDarkInkWhereItsTextLayerPlacesThem) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
  const QString pdf = QString::fromStdString(pdf_);
  // Words and their boxes in points; at 72 dpi a point is a pixel.
  const QString words = QString::fromUtf8(ProgramOutput("pdftotext", {"-bbox", pdf, "-"}).value_or(""));
  const QString png = QString::fromStdString(scratch_->File("page"));
  ProgramOutput("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, png});
  const QImage page(png + ".png");
  ASSERT_FALSE(page.isNull());
  for (const std::string& text : kTexts) {
    const QString first = QString::fromStdString(text).section(' ', 0, 0);
    const QRegularExpression word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" +
                                  QRegularExpression::escape(first) + "</word>");
    const auto match = word.match(words);
    ASSERT_TRUE(match.hasMatch()) << text << " is not in the page's text";
    const QRect box(
        QPoint(static_cast<int>(match.captured(1).toDouble()), static_cast<int>(match.captured(2).toDouble())),
        QPoint(static_cast<int>(match.captured(3).toDouble()), static_cast<int>(match.captured(4).toDouble())));
    EXPECT_GT(DarkInk(page, box), 3) << text;
  }
}

}  // namespace
}  // namespace tallowmere::testing
