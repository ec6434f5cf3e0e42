#pragma once
// The pixels of an uncompressed 24-bit BMP, for tests that look at what the renderer drew.
// The readers of other programs check the file format itself (tests/interop).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tallowmere::testing {

using Rgb = std::uint32_t;  // 0xRRGGBB
constexpr Rgb MakeRgb(int red, int green, int blue) {
  return static_cast<Rgb>(red) << 16 | static_cast<Rgb>(green) << 8 | static_cast<Rgb>(blue);
}

// A rectangle of pixels; right and bottom are the last column and row inside it.
struct Area {
  int left, top, width, height;
  int Right() const { return left + width - 1; }
  int Bottom() const { return top + height - 1; }
};

class BmpPicture {
 public:
  // A file that is not an uncompressed 24-bit BMP, or is cut short, gives a picture of
  // 0 x 0 pixels.
  explicit BmpPicture(const std::vector<std::uint8_t>& bytes) {
    const auto le = [&](std::size_t at, int size) {
      std::uint32_t value = 0;
      for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
      return value;
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || le(28, 2) != 24 || le(30, 4) != 0) return;
    const auto width = static_cast<std::int32_t>(le(18, 4)), height = static_cast<std::int32_t>(le(22, 4));
    const std::size_t offset = le(10, 4), stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (width <= 0 || height <= 0 || bytes.size() < offset + stride * static_cast<std::size_t>(height)) return;
    width_ = width;
    height_ = height;
    pixels_.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = bytes.data() + offset + stride * static_cast<std::size_t>(height - 1 - y);
      for (int x = 0; x < width; ++x, row += 3) pixels_.push_back(MakeRgb(row[2], row[1], row[0]));
    }
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb Pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  }
  // The pixels of area row by row: two areas look the same when these are equal.
  std::vector<Rgb> Pixels(Area area) const {
    std::vector<Rgb> pixels;
    for (int y = area.top; y <= area.Bottom(); ++y) {
      for (int x = area.left; x <= area.Right(); ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgb> pixels_;
};

}  // namespace tallowmere::testing
