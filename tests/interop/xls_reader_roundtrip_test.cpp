// The workbook the program makes, saved by the engine and opened again by a new engine
// instance, gives back the same sheet cell by cell and style by style, and its picture
// has the size and colours of the sheet.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include "engine/application/workbook_files.h"
#include "engine/render/render_grid.h"
#include "engine/xls/xls_reader.h"
#include "interop/xls_reader_fixture.h"

namespace tallowmere::engine {
namespace {

using testing::ScratchDir;

// Every position the comparison looks at: the cells of both sheets and a margin around them.
CellRect Extent(const SheetData& a, const SheetData& b) {
  CellRect rect{1, 1, 1, 1};
  for (const SheetData* sheet : {&a, &b}) {
    for (const auto& [position, cell] : sheet->Cells()) {
      rect.lastRow = std::max(rect.lastRow, position.first + 2);
      rect.lastColumn = std::min(kMaxColumns, std::max(rect.lastColumn, position.second + 2));
    }
  }
  return rect;
}

void ExpectSameSheet(const WorkbookData& wantBook, const SheetData& want, const WorkbookData& gotBook,
                     const SheetData& got) {
  EXPECT_EQ(got.name, want.name);
  const CellRect extent = Extent(want, got);
  for (int row = extent.firstRow; row <= extent.lastRow; ++row) {
    EXPECT_NEAR(got.RowHeight(row), want.RowHeight(row), 0.001) << "row " << row;
    for (int column = extent.firstColumn; column <= extent.lastColumn; ++column) {
      SCOPED_TRACE("cell R" + std::to_string(row) + "C" + std::to_string(column));
      const Cell* a = want.Find(row, column);
      const Cell* b = got.Find(row, column);
      const bool wantContent = a && a->HasContent(), gotContent = b && b->HasContent();
      ASSERT_EQ(gotContent, wantContent);
      if (wantContent) {
        EXPECT_EQ(b->value, a->value);
        ASSERT_EQ(b->formula == nullptr, a->formula == nullptr);
        if (a->formula) {
          EXPECT_EQ(PrintR1C1(*b->formula), PrintR1C1(*a->formula));
        }
      }
      EXPECT_EQ(gotBook.styles.Get(got.EffectiveStyle(row, column)),
                wantBook.styles.Get(want.EffectiveStyle(row, column)));
    }
  }
  for (int column = 1; column <= kMaxColumns; ++column) {
    EXPECT_NEAR(got.ColumnWidth(column), want.ColumnWidth(column), 0.005) << "column " << column;
  }
  auto key = [](const CellRect& r) { return std::tuple(r.firstRow, r.firstColumn, r.lastRow, r.lastColumn); };
  std::set<std::tuple<int, int, int, int>> wantMerges, gotMerges;
  for (const auto& m : want.merges) wantMerges.insert(key(m));
  for (const auto& m : got.merges) gotMerges.insert(key(m));
  EXPECT_EQ(gotMerges, wantMerges);

  const PageSetupData& p = want.pageSetup;
  const PageSetupData& q = got.pageSetup;
  EXPECT_EQ(q.printArea, p.printArea);
  for (auto [x, y] : {std::pair{q.leftMargin, p.leftMargin},
                      {q.rightMargin, p.rightMargin},
                      {q.topMargin, p.topMargin},
                      {q.bottomMargin, p.bottomMargin},
                      {q.headerMargin, p.headerMargin},
                      {q.footerMargin, p.footerMargin}}) {
    EXPECT_NEAR(x, y, 1e-9);
  }
  EXPECT_EQ(std::tie(q.printComments, q.landscape, q.paperSize, q.fitToPages, q.fitWide, q.fitTall),
            std::tie(p.printComments, p.landscape, p.paperSize, p.fitToPages, p.fitWide, p.fitTall));
  EXPECT_EQ(std::tie(got.activeRow, got.activeColumn), std::tie(want.activeRow, want.activeColumn));
}

void ExpectSameWorkbook(const WorkbookData& want, const WorkbookData& got) {
  EXPECT_EQ(got.palette, want.palette);
  EXPECT_EQ(got.activeSheet, want.activeSheet);
  ASSERT_EQ(got.sheets.size(), want.sheets.size());
  for (std::size_t i = 0; i < want.sheets.size(); ++i) ExpectSameSheet(want, *want.sheets[i], got, *got.sheets[i]);
}

TEST(XlsReaderRoundTrip, EachPeriodLayoutComesBackAsItWasBuilt) {
  ScratchDir dir("roundtrip");
  const std::pair<const char*, ReportParameters> layouts[] = {{"month", testing::DefaultMonthReport()},
                                                              {"years", testing::ByYear("2020", "2024")},
                                                              {"weeks", testing::ByWeek("52")}};
  for (const auto& [name, parameters] : layouts) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(std::string(name) + ".xls");
    const auto built = testing::SaveCashFlowWorkbook(parameters, path);
    const auto read = ReadXls(path);
    ExpectSameWorkbook(*built, *read);

    // What the reader gives, written again, reads back the same (nothing is lost or
    // invented on the way through).
    const std::string again = dir.File(std::string(name) + "-again.xls");
    WriteXls(*read, again, LocalFileSystem());
    ExpectSameWorkbook(*read, *ReadXls(again));
  }
}

// Opens the saved default workbook in a new engine instance and takes the picture of its
// used range the way the report does.
class DefaultSheetPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("default.xls");
    built_ = testing::SaveCashFlowWorkbook(testing::DefaultMonthReport(), path_);
    EngineApplicationFactory factory(clipboard_, LocalFileSystem());
    auto app = factory.Create();
    auto workbook = app->GetWorkbooks().Open(path_);
    auto used = workbook->ActiveSheet()->UsedRange();
    used_ = CellRect{used->Row(), used->Column(), used->Row() + used->RowsCount() - 1,
                     used->Column() + used->ColumnsCount() - 1};
    used->CopyPicture();
    auto bytes = clipboard_.GetPicture(0);
    ASSERT_NE(bytes, nullptr);
    // TM_PICTURE_OUT=<file.bmp> keeps the picture for a look with an image viewer.
    if (const char* out = std::getenv("TM_PICTURE_OUT"))
      std::ofstream(out, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    image_ = testing::DecodeBmp(*bytes);
    ASSERT_FALSE(image_.isNull());
    sheet_ = built_->sheets[0];
  }

  int X(int column) const {
    int x = 0;
    for (int c = used_.firstColumn; c < column; ++c) x += ColumnWidthPixels(sheet_->ColumnWidth(c));
    return x;
  }
  int Y(int row) const {
    int y = 0;
    for (int r = used_.firstRow; r < row; ++r) y += RowHeightPixels(sheet_->RowHeight(r));
    return y;
  }
  // A pixel inside the cell, away from its text and borders.
  QColor Inside(int row, int column, int dx = 3, int dy = 3) const {
    return image_.pixelColor(X(column) + dx, Y(row) + dy);
  }

  ScratchDir dir_{"picture"};
  InProcessClipboard clipboard_;
  std::string path_;
  std::shared_ptr<WorkbookData> built_;
  std::shared_ptr<SheetData> sheet_;
  CellRect used_;
  QImage image_;
};

TEST_F(DefaultSheetPicture, HasTheSizeOfTheUsedRangeAndTheSheetColours) {
  EXPECT_EQ((CellRect{used_.firstRow, used_.firstColumn}), (CellRect{2, 2})) << "title B2 starts the used range";
  EXPECT_EQ(used_.lastColumn, 16);
  EXPECT_EQ(image_.width(), X(used_.lastColumn + 1));
  EXPECT_EQ(image_.height(), Y(used_.lastRow + 1));
  // B 32 characters, a month column 8.33 characters, row 4 24.75 points at 96 dpi.
  EXPECT_EQ(X(3), 229);
  EXPECT_EQ(X(5) - X(4), 63);
  EXPECT_EQ(Y(5) - Y(4), 33);

  const auto rgb = [](const QColor& c) { return std::tuple(c.red(), c.green(), c.blue()); };
  EXPECT_EQ(rgb(Inside(3, 10)), std::tuple(255, 255, 255)) << "the thin gap row is white";
  EXPECT_EQ(rgb(Inside(4, 5)), std::tuple(204, 255, 204)) << "column-header band, colour 55";
  int heading = 0, total = 0;
  for (int row = 5; row <= used_.lastRow && (!heading || !total); ++row) {
    const Cell* name = sheet_->Find(row, 2);
    if (!name) continue;
    if (!heading && name->value == Value::String("CASH RECEIPTS")) heading = row;
    if (!total && name->value == Value::String("TOTAL CASH RECEIPTS")) total = row;
  }
  ASSERT_TRUE(heading && total);
  EXPECT_EQ(rgb(Inside(heading, 9)), std::tuple(177, 255, 209)) << "heading band, colour 43";
  EXPECT_EQ(rgb(Inside(total, 4)), std::tuple(224, 255, 215)) << "total row values, colour 39";
  EXPECT_EQ(rgb(Inside(total, 2, 230 - 8, 3)), std::tuple(204, 255, 204)) << "total row name, colour 55";
  // Grid lines in colour 16 on the right edge of an item cell; none inside a heading band.
  EXPECT_EQ(rgb(image_.pixelColor(X(6) - 1, Y(heading + 1) + 5)), std::tuple(128, 128, 128));
  EXPECT_EQ(rgb(image_.pixelColor(X(6) - 1, Y(heading) + 5)), std::tuple(177, 255, 209));
}

}  // namespace
}  // namespace tallowmere::engine
