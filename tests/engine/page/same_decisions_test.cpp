// The picture and the printed page decide alike where a text runs on into its neighbours
// and where a number turns into "#" marks: the painter draws on the image surface and on
// the PDF surface (scaled down as a page is) and sets the same texts in the same areas.
#include <cairo-pdf.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "engine/render/cairo_canvas.h"
#include "engine/render/range_painter.h"
#include "engine/render/render.h"
#include "engine/render/render_grid.h"

namespace tallowmere::engine {
namespace {

// Draws on another canvas and notes each text it sets, where, and with what clip.
class NotingCanvas : public Canvas {
 public:
  using Noted = std::tuple<std::string, int, int, int, int, bool>;
  explicit NotingCanvas(Canvas& inner) : inner_(inner) {}
  int Font(const CanvasFont& font) override { return inner_.Font(font); }
  int TextWidth(int font, const std::string& text) override { return inner_.TextWidth(font, text); }
  int LineHeight(int font) override { return inner_.LineHeight(font); }
  void FillRect(const PixelRect& area, Rgb colour) override { inner_.FillRect(area, colour); }
  void Line(int x1, int y1, int x2, int y2, Rgb colour) override { inner_.Line(x1, y1, x2, y2, colour); }
  void Polyline(const std::vector<CanvasPoint>& points, double width, Rgb colour) override {
    inner_.Polyline(points, width, colour);
  }
  void Text(int font, const PixelRect& area, const std::optional<PixelRect>& clip, TextPlacement placement,
            const std::string& text, Rgb colour) override {
    noted.emplace_back(text, area.left, area.top, area.right, area.bottom, clip.has_value());
    inner_.Text(font, area, clip, placement, text, colour);
  }
  std::vector<Noted> noted;

 private:
  Canvas& inner_;
};

cairo_status_t Discard(void*, const unsigned char*, unsigned int) { return CAIRO_STATUS_SUCCESS; }

class SameDecisions : public ::testing::Test {
 protected:
  SameDecisions() : sheet(*book.sheets.emplace_back(std::make_shared<SheetData>())) {
    Style bold;
    bold.font.bold = true;
    Style money;
    money.numberFormat = "#,##0.00";
    const StyleId boldId = book.styles.Intern(bold), moneyId = book.styles.Intern(money);
    // Columns 0.3 characters apart, each followed by an empty one the text may run
    // into, up to the next column's text.
    for (int i = 0; i < 60; ++i) {
      const int column = 2 * i + 1;
      sheet.columnWidths[column] = 4.0 + 0.3 * i;
      sheet.columnWidths[column + 1] = 1.0;
      Put(1, column, Value::String("Total Cash Available"), boldId);
      Put(2, column, Value::Number(1234567.891), moneyId);
      Put(3, column, Value::Number(98765.4), 0);
    }
  }
  void Put(int row, int column, Value value, StyleId style) {
    Cell& cell = sheet.Cells()[{row, column}];
    cell.value = std::move(value);
    cell.style = style;
  }
  std::vector<NotingCanvas::Noted> PaintOn(cairo_surface_t* surface, double scale) {
    const PictureGrid grid = LayOutGrid(sheet, {1, 1, 3, 120}, kMaxPicturePixels);
    FontFaces faces(nullptr);
    cairo_t* cairo = cairo_create(surface);
    cairo_scale(cairo, scale, scale);
    std::vector<NotingCanvas::Noted> noted;
    {
      CairoCanvas canvas(cairo, faces);
      NotingCanvas noting(canvas);
      RangePainter(book, sheet, grid).Paint(noting);
      noted = noting.noted;
    }
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
    return noted;
  }
  WorkbookData book;
  SheetData& sheet;
};

TEST_F(SameDecisions, PictureAndPageSetTheSameTextsInTheSameAreas) {
  const auto picture = PaintOn(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 64), 1.0);
  const auto page = PaintOn(cairo_pdf_surface_create_for_stream(Discard, nullptr, 842, 595), 0.75 * 0.37);
  EXPECT_EQ(picture, page);
  // The widths step across both edges: some numbers fit and some do not, some texts run on
  // into the next column and some stay in their own.
  const auto count = [&](auto test) { return std::count_if(picture.begin(), picture.end(), test); };
  EXPECT_GT(count([](const auto& n) { return std::get<0>(n)[0] == '#'; }), 0);
  EXPECT_GT(count([](const auto& n) { return std::get<0>(n) == "1,234,567.89"; }), 0);
  EXPECT_GT(count([](const auto& n) { return std::get<5>(n); }), 0);
  EXPECT_GT(count([](const auto& n) { return std::get<0>(n)[0] == 'T' && !std::get<5>(n); }), 0);
}

}  // namespace
}  // namespace tallowmere::engine
