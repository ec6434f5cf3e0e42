#pragma once
// The 56 colours that the cash-flow workbook's palette holds; font and fill colours of
// the sheet are indexes into it.

#include <array>

namespace tallowmere {

struct PaletteColor {
  int red, green, blue;
  // As the object model takes a colour: red + 256 green + 65536 blue.
  long Value() const { return red + 256L * green + 65536L * blue; }
};

inline constexpr int kPaletteSize = 56;

// Entry i - 1 is palette index i.
const std::array<PaletteColor, kPaletteSize>& CashFlowPalette();

}  // namespace tallowmere
