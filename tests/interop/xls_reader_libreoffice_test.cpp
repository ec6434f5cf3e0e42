// Workbooks written by LibreOffice open in the engine and can be pictured: the engine's
// own file after a LibreOffice round trip, and a workbook LibreOffice built from a csv.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/render/render.h"
#include "engine/render/render_grid.h"
#include "engine/xls/xls_reader.h"
#include "interop/xls_reader_fixture.h"

namespace tallowmere::engine {
namespace {

using testing::ScratchDir;

CellRect ContentRect(const SheetData& sheet) {
  CellRect rect{kMaxRows, kMaxColumns, 1, 1};
  for (const auto& [position, cell] : sheet.Cells()) {
    if (!cell.HasContent()) continue;
    rect.firstRow = std::min(rect.firstRow, position.first);
    rect.firstColumn = std::min(rect.firstColumn, position.second);
    rect.lastRow = std::max(rect.lastRow, position.first);
    rect.lastColumn = std::max(rect.lastColumn, position.second);
  }
  return rect;
}

// The picture of the sheet's content has the size its rows and columns give.
void ExpectPictureOfContent(const WorkbookData& book, const SheetData& sheet) {
  const CellRect rect = ContentRect(sheet);
  const QImage image = testing::DecodeBmp(RenderRangeBmp(book, sheet, rect));
  const PictureGrid grid = LayOutGrid(sheet, rect, kMaxPicturePixels);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(grid.width, grid.height));
}

Value ValueAt(const SheetData& sheet, int row, int column) {
  const Cell* cell = sheet.Find(row, column);
  return cell ? cell->value : Value{};
}

std::uint32_t FillRgb(const WorkbookData& book, const SheetData& sheet, int row, int column) {
  const int index = book.styles.Get(sheet.EffectiveStyle(row, column)).fillColorIndex;
  return index >= 1 && index <= 56 ? book.palette[static_cast<std::size_t>(index - 1)] : 0xFFFFFFFFu;
}

class XlsReaderLibreOffice : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::HaveSoffice()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  }
  ScratchDir dir_{"lo-reader"};
};

TEST_F(XlsReaderLibreOffice, OpensTheEngineWorkbookResavedByLibreOffice) {
  std::filesystem::create_directories(dir_.path / "lo");
  const std::string original = dir_.File("cashflow.xls");
  const auto built = testing::SaveCashFlowWorkbook(testing::DefaultMonthReport(), original);
  ASSERT_TRUE(testing::ConvertWithSoffice(original, dir_.File("lo")));

  const auto book = ReadXls(dir_.File("lo/cashflow.xls"));
  ASSERT_EQ(book->sheets.size(), 1u);
  const SheetData& sheet = *book->sheets[0];
  const SheetData& want = *built->sheets[0];
  EXPECT_EQ(sheet.name, "CashFlow");
  EXPECT_EQ(ValueAt(sheet, 2, 2), Value::String("Cash flow"));
  EXPECT_EQ(ValueAt(sheet, 2, 8), Value::String("Anchor Co"));
  // Every constant and every formula result LibreOffice computed equals the engine's.
  for (const auto& [position, cell] : want.Cells()) {
    if (!cell.HasContent()) continue;
    SCOPED_TRACE("R" + std::to_string(position.first) + "C" + std::to_string(position.second));
    EXPECT_EQ(ValueAt(sheet, position.first, position.second), cell.value);
  }
  const Style& header = book->styles.Get(sheet.EffectiveStyle(4, 4));
  EXPECT_TRUE(header.font.bold);
  EXPECT_EQ(FillRgb(*book, sheet, 4, 4), 204u | 255u << 8 | 204u << 16);
  EXPECT_NEAR(sheet.ColumnWidth(2), 32.0, 0.1);
  EXPECT_NEAR(sheet.RowHeight(4), 24.75, 0.1);
  ExpectPictureOfContent(*book, sheet);
}

TEST_F(XlsReaderLibreOffice, OpensAWorkbookLibreOfficeBuiltFromCsv) {
  const std::string csv = dir_.File("plan.csv");
  {
    std::ofstream out(csv);
    out << "Item,Jan,Feb\nRent,1200,1250.5\n\"Cash, on hand\",-3,TRUE\n";
    // Enough distinct strings, some of them not Latin-1, for the shared string table to
    // run over several CONTINUE records.
    for (int i = 0; i < 600; ++i) out << "Posten \u20AC" << i << " f\u00FCr Ausgaben und Einnahmen,,\n";
  }
  ASSERT_TRUE(testing::ConvertWithSoffice(csv, dir_.path.string(), {"--infilter=CSV:44,34,76,1"}));

  const auto book = ReadXls(dir_.File("plan.xls"));
  ASSERT_GE(book->sheets.size(), 1u);
  const SheetData& sheet = *book->sheets[0];
  EXPECT_EQ(ValueAt(sheet, 1, 1), Value::String("Item"));
  EXPECT_EQ(ValueAt(sheet, 2, 2), Value::Number(1200));
  EXPECT_EQ(ValueAt(sheet, 2, 3), Value::Number(1250.5));
  EXPECT_EQ(ValueAt(sheet, 3, 1), Value::String("Cash, on hand"));
  EXPECT_EQ(ValueAt(sheet, 3, 2), Value::Number(-3));
  for (int i = 0; i < 600; ++i) {
    ASSERT_EQ(ValueAt(sheet, 4 + i, 1),
              Value::String("Posten \u20AC" + std::to_string(i) + " f\u00FCr Ausgaben und Einnahmen"));
  }
  ExpectPictureOfContent(*book, sheet);
}

}  // namespace
}  // namespace tallowmere::engine
