// Pictures of a range: pixel geometry as a spreadsheet converts widths and heights,
// fills, borders, text placement (overflow, "###", wrapping) and the size limit.
#include "engine/render/render.h"

#include <gtest/gtest.h>

#include "bmp_picture.h"
#include "engine/core/engine_error.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

using testing::Area;
using testing::BmpPicture;
using testing::MakeRgb;
using testing::Rgb;

BmpPicture Render(const WorkbookData& book, const SheetData& sheet, CellRect rect) {
  return BmpPicture(RenderRangeBmp(book, sheet, rect));
}

bool IsWhite(const BmpPicture& image, int x, int y) { return image.Pixel(x, y) == MakeRgb(255, 255, 255); }

// Non-white pixels in the rectangle.
int Ink(const BmpPicture& image, Area area) {
  int count = 0;
  for (int y = area.top; y <= area.Bottom(); ++y) {
    for (int x = area.left; x <= area.Right(); ++x) count += IsWhite(image, x, y) ? 0 : 1;
  }
  return count;
}

// Runs of inked pixel rows in area: the lines of text set there.
int InkedLines(const BmpPicture& image, Area area) {
  int lines = 0;
  for (int y = area.top; y <= area.Bottom(); ++y) {
    const bool inked = Ink(image, Area{area.left, y, area.width, 1}) > 0;
    const bool above = y > area.top && Ink(image, Area{area.left, y - 1, area.width, 1}) > 0;
    if (inked && !above) ++lines;
  }
  return lines;
}

TEST(RenderGrid, ConvertsWidthsAndHeightsLikeASpreadsheetAt96Dpi) {
  EXPECT_EQ(ColumnWidthPixels(8.43), 64);
  EXPECT_EQ(ColumnWidthPixels(1.0), 12);
  EXPECT_EQ(ColumnWidthPixels(32.0), 229);
  EXPECT_EQ(ColumnWidthPixels(8.33), 63);
  EXPECT_EQ(ColumnWidthPixels(0.5), 6);
  EXPECT_EQ(ColumnWidthPixels(0.0), 0);
  EXPECT_EQ(ColumnWidthPixels(255.0), 1790);
  EXPECT_EQ(RowHeightPixels(12.75), 17);
  EXPECT_EQ(RowHeightPixels(24.75), 33);
  EXPECT_EQ(RowHeightPixels(8.0), 11);
  EXPECT_EQ(RowHeightPixels(0.0), 0);
}

class RenderTest : public ::testing::Test {
 protected:
  RenderTest() : sheet(*book.sheets.emplace_back(std::make_shared<SheetData>())) {}
  StyleId Styled(auto change) {
    Style style;
    change(style);
    return book.styles.Intern(style);
  }
  void Put(int row, int column, Value value, StyleId style = 0) {
    Cell& cell = sheet.Cells()[{row, column}];
    cell.value = std::move(value);
    cell.style = style;
  }
  WorkbookData book;
  SheetData& sheet;
};

TEST_F(RenderTest, DrawsFillsAndBordersWhereEitherNeighbourAsksForThem) {
  const StyleId framed = Styled([](Style& s) {
    s.fillColorIndex = 43;
    s.right = s.bottom = BorderSide{true, 16};
  });
  Put(1, 1, Value{}, framed);
  book.palette[42] = 177 | 255 << 8 | 209 << 16;  // colour 43 as the cash-flow palette has it
  const BmpPicture image = Render(book, sheet, {1, 1, 2, 2});
  ASSERT_EQ(image.Width(), 128);
  ASSERT_EQ(image.Height(), 34);
  const Rgb band = MakeRgb(177, 255, 209), grey = MakeRgb(128, 128, 128);
  EXPECT_EQ(image.Pixel(10, 5), band);
  EXPECT_EQ(image.Pixel(63, 5), grey) << "right edge of A1 on its last pixel column";
  EXPECT_EQ(image.Pixel(10, 16), grey) << "bottom edge of A1 on its last pixel row";
  EXPECT_TRUE(IsWhite(image, 100, 25)) << "no gridlines in a picture";
  EXPECT_TRUE(IsWhite(image, 127, 5));
}

TEST_F(RenderTest, DrawsAMergedAreaAsOneCell) {
  const StyleId boxed = Styled([](Style& s) {
    s.horizontal = HAlign::Center;
    s.right = s.bottom = BorderSide{true, 16};
  });
  Put(1, 1, Value::String("Title"), boxed);
  Put(1, 2, Value{}, boxed);
  sheet.merges.push_back({1, 1, 1, 2});
  const BmpPicture image = Render(book, sheet, {1, 1, 1, 3});
  EXPECT_TRUE(IsWhite(image, 63, 2)) << "no line inside the merged area";
  EXPECT_EQ(image.Pixel(127, 2), MakeRgb(128, 128, 128)) << "its outer edge keeps the line";
  EXPECT_GT(Ink(image, Area{50, 0, 28, 15}), 10) << "text centred over both columns";
  EXPECT_EQ(Ink(image, Area{0, 0, 30, 15}), 0);
}

TEST_F(RenderTest, PlacesTextLikeASpreadsheet) {
  sheet.columnWidths[2] = 4.0;  // 33 pixels: too narrow for the long texts
  const StyleId wrapped = Styled([](Style& s) { s.wrap = true; });
  Put(1, 2, Value::String("Cash flow overflowing text"));  // runs on over empty C1 and D1
  Put(2, 2, Value::Number(123456789));                     // shows ### inside B2
  Put(3, 2, Value::String("wrapped words in a cell"), wrapped);
  sheet.rowHeights[3] = 60;
  Put(4, 1, Value::String("first\nsecond"));
  sheet.rowHeights[4] = 45;
  const BmpPicture image = Render(book, sheet, {1, 1, 4, 4});
  const int b = 64, c = b + 33, d = c + 64;
  EXPECT_GT(Ink(image, Area{c, 0, 64, 17}), 20) << "text runs on into the empty neighbour";
  EXPECT_EQ(Ink(image, Area{0, 0, b, 17}), 0) << "left-aligned text never runs to the left";
  EXPECT_GT(Ink(image, Area{b, 17, 33, 17}), 10);
  EXPECT_EQ(Ink(image, Area{c, 17, d - c + 64, 17}), 0) << "a number too wide stays in its cell";
  EXPECT_EQ(Ink(image, Area{c, 34, 128, 80}), 0) << "wrapped text stays in its cell";
  EXPECT_GE(InkedLines(image, Area{b, 34, 33, 80}), 3) << "the words are set on several lines";
  EXPECT_EQ(InkedLines(image, Area{0, 114, 64, 60}), 2) << "a line feed starts a line, wrapped or not";

  // A neighbour with content stops the overflow.
  Put(1, 3, Value::String("x"));
  const BmpPicture blocked = Render(book, sheet, {1, 1, 4, 4});
  EXPECT_EQ(Ink(blocked, Area{c + 15, 0, 64 - 15, 17}), 0);
}

struct InkCase {
  const char* name;
  int fill, font;  // colour indexes of the standard palette
  Rgb ink;
};

void PrintTo(const InkCase& c, std::ostream* out) { *out << c.name; }

class TextInk : public RenderTest, public ::testing::WithParamInterface<InkCase> {};

// Text on a filled cell is set in its font's colour over the fill, never lost in it.
TEST_P(TextInk, TextOnAFilledCellLeavesInkOfItsFontColour) {
  const InkCase& c = GetParam();
  const StyleId style = Styled([&](Style& s) {
    s.fillColorIndex = c.fill;
    s.font.colorIndex = c.font;
    s.font.bold = true;
  });
  Put(1, 1, Value::String("Heading"), style);
  const BmpPicture image = Render(book, sheet, {1, 1, 1, 1});
  int inked = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) inked += image.Pixel(x, y) == c.ink ? 1 : 0;
  }
  EXPECT_GT(inked, 20);
}

INSTANTIATE_TEST_SUITE_P(Colours, TextInk,
                         ::testing::Values(InkCase{"black_on_green", 43, 1, MakeRgb(0, 0, 0)},
                                           InkCase{"white_on_navy", 11, 2, MakeRgb(255, 255, 255)},
                                           InkCase{"red_on_yellow", 6, 3, MakeRgb(255, 0, 0)}),
                         [](const auto& test) { return std::string(test.param.name); });

// A tall picture is drawn in horizontal bands; nothing may show where they meet: every
// row of the same content looks the same wherever it falls, and a merged area taller
// than a band is filled from top to bottom.
TEST_F(RenderTest, ATallPictureHasNoSeams) {
  const StyleId framed = Styled([](Style& s) { s.left = s.top = s.right = s.bottom = BorderSide{true, 16}; });
  const StyleId filled = Styled([](Style& s) { s.fillColorIndex = 43; });
  constexpr int kRows = 150;  // 2550 pixels: several bands
  for (int row = 1; row <= kRows; ++row) {
    Put(row, 1, Value::String("Seam"), framed);
    Put(row, 2, Value::Number(1234), framed);
    Put(row, 3, Value::String("runs on into the empty cells"));
  }
  Put(100, 6, Value{}, filled);
  sheet.merges.push_back({100, 6, 140, 7});
  const BmpPicture image = Render(book, sheet, {1, 1, kRows, 7});
  ASSERT_EQ(image.Height(), 17 * kRows);
  const std::vector<Rgb> first = image.Pixels({0, 17, 5 * 64, 17});
  for (int row = 2; row < kRows; ++row) {
    ASSERT_EQ(image.Pixels({0, 17 * row, 5 * 64, 17}), first) << "row " << row + 1;
  }
  const Area merged{5 * 64, 17 * 99, 2 * 64, 17 * 41};
  const Rgb fill = MakeRgb(0x99, 0xCC, 0x00);  // colour 43 of the standard palette
  for (int y = merged.top; y <= merged.Bottom(); ++y) {
    ASSERT_EQ(image.Pixel(merged.left, y), fill) << "y " << y;
    ASSERT_EQ(image.Pixel(merged.Right(), y), fill) << "y " << y;
  }
}

TEST_F(RenderTest, CutsAnOversizedRangeAtTheLimitAndRefusesRangesOffTheSheet) {
  Put(kMaxRows, 1, Value::Number(1));
  const BmpPicture tall = Render(book, sheet, {1, 1, kMaxRows, 1});
  EXPECT_EQ(tall.Width(), 64);
  EXPECT_EQ(tall.Height(), kMaxPicturePixels);
  for (int column = 1; column <= kMaxColumns; ++column) sheet.columnWidths[column] = 255;
  const BmpPicture wide = Render(book, sheet, {1, 1, 1, kMaxColumns});
  EXPECT_EQ(wide.Width(), kMaxPicturePixels);
  EXPECT_EQ(wide.Height(), 17);
  EXPECT_THROW(RenderRangeBmp(book, sheet, {3, 1, 2, 1}), EngineError);
  EXPECT_THROW(RenderRangeBmp(book, sheet, {1, 1, 1, kMaxColumns + 1}), EngineError);
}

}  // namespace
}  // namespace tallowmere::engine

namespace tallowmere::engine {
namespace {

// A cell whose condition holds takes the condition's fill over its own and draws its text
// in the condition's colour; a cell whose condition does not hold keeps its own look.
TEST_F(RenderTest, ConditionsThatHoldPaintTheirFillAndFontColour) {
  const StyleId filled = Styled([](Style& s) {
    s.fillColorIndex = 43;
    s.font.size = 20;
  });
  FormatConditionData red;
  red.op = FormatConditionData::Operator::Less;
  red.formula1 = ParseFormulaR1C1("0");
  red.fontRgb = 0xC00000;
  red.fillRgb = 0xFFC7CE;
  sheet.conditionalFormats.push_back({{1, 1, 1, 2}, {red}});
  sheet.rowHeights[1] = 30;
  Put(1, 1, Value::Number(-8), filled);
  Put(1, 2, Value::Number(8), filled);
  Cell& formula = sheet.Cells()[{1, 3}];  // outside the range
  formula.formula = ParseFormulaR1C1("-1");
  const BmpPicture image = Render(book, sheet, {1, 1, 1, 3});
  EXPECT_EQ(image.Pixel(2, 2), MakeRgb(0xFF, 0xC7, 0xCE));
  EXPECT_EQ(image.Pixel(66, 2), *book.PaletteRgb(43)) << "the cell's own fill";
  EXPECT_TRUE(IsWhite(image, 130, 2));
  const auto reddish = [&](Area area) {
    int count = 0;
    for (const Rgb c : image.Pixels(area)) count += (c >> 16) > 150 && (c >> 8 & 0xFF) < 80 && (c & 0xFF) < 80;
    return count;
  };
  EXPECT_GT(reddish(Area{0, 0, 63, 39}), 10) << "the text in the condition's colour";
  EXPECT_EQ(reddish(Area{64, 0, 63, 39}), 0);
}

}  // namespace
}  // namespace tallowmere::engine
