// The canvas's lines: joined before they are stroked, they still cover exactly the pixels
// each line covers, and a line of another colour drawn later lies on top.
#include "engine/render/cairo_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tallowmere::engine {
namespace {

constexpr int kSize = 24;

struct DrawnLine {
  int x1, y1, x2, y2;
  Canvas::Rgb colour;
};

// The picture the lines make on white, one letter per pixel: '.' white, else the line's
// colour as the letter that the test names it by.
std::vector<std::string> Draw(const std::vector<DrawnLine>& lines) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSize, kSize);
  cairo_t* cairo = cairo_create(surface);
  cairo_set_source_rgb(cairo, 1, 1, 1);
  cairo_paint(cairo);
  {
    FontFaces faces(nullptr);
    CairoCanvas canvas(cairo, faces);
    for (const DrawnLine& line : lines) canvas.Line(line.x1, line.y1, line.x2, line.y2, line.colour);
  }
  cairo_destroy(cairo);
  cairo_surface_flush(surface);
  std::vector<std::string> rows(kSize, std::string(kSize, '.'));
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, data + y * stride + x * 4, 4);
      pixel &= 0xFFFFFF;
      rows[y][x] = pixel == 0xFFFFFF ? '.' : pixel == 0xFF0000 ? 'r' : pixel == 0x0000FF ? 'b' : '?';
    }
  }
  cairo_surface_destroy(surface);
  return rows;
}

// What the lines cover, each drawn on its own in the order given.
std::vector<std::string> Expected(const std::vector<DrawnLine>& lines) {
  std::vector<std::string> rows(kSize, std::string(kSize, '.'));
  for (const DrawnLine& line : lines) {
    for (int y = std::min(line.y1, line.y2); y <= std::max(line.y1, line.y2); ++y) {
      for (int x = std::min(line.x1, line.x2); x <= std::max(line.x1, line.x2); ++x)
        rows[y][x] = line.colour == 0xFF0000 ? 'r' : 'b';
    }
  }
  return rows;
}

struct LinesCase {
  const char* name;
  std::vector<DrawnLine> lines;
};

class CanvasLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(CanvasLines, CoverExactlyThePixelsOfEachLine) {
  const std::vector<DrawnLine>& lines = GetParam().lines;
  EXPECT_EQ(Draw(lines), Expected(lines));
}

constexpr Canvas::Rgb kRed = 0xFF0000, kBlue = 0x0000FF;

INSTANTIATE_TEST_SUITE_P(
    Joins, CanvasLines,
    ::testing::Values(
        LinesCase{"touching", {{2, 5, 6, 5, kRed}, {7, 5, 12, 5, kRed}, {13, 5, 20, 5, kRed}}},
        LinesCase{"overlapping_and_reversed", {{9, 3, 2, 3, kRed}, {8, 3, 15, 3, kRed}, {4, 3, 6, 3, kRed}}},
        LinesCase{"a_gap_of_one_pixel_stays", {{2, 7, 6, 7, kRed}, {8, 7, 12, 7, kRed}}},
        LinesCase{"columns_met_row_by_row",
                  {{3, 0, 3, 4, kRed}, {9, 0, 9, 4, kRed}, {3, 4, 3, 9, kRed}, {9, 6, 9, 9, kRed}}},
        LinesCase{
            "rows_and_columns_of_a_grid",
            {{0, 4, 5, 4, kRed}, {5, 0, 5, 4, kRed}, {4, 4, 10, 4, kRed}, {10, 0, 10, 4, kRed}, {5, 3, 5, 9, kRed}}},
        LinesCase{"single_pixels", {{4, 4, 4, 4, kRed}, {5, 4, 5, 4, kRed}, {7, 4, 7, 4, kRed}}},
        LinesCase{"a_later_colour_lies_on_top",
                  {{0, 6, 20, 6, kRed},
                   {10, 0, 10, 20, kRed},
                   {4, 2, 4, 12, kBlue},
                   {2, 6, 14, 6, kBlue},
                   {12, 6, 18, 6, kRed}}}),
    [](const ::testing::TestParamInfo<LinesCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tallowmere::engine
