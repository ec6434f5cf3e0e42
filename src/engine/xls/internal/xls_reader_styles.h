#pragma once
// Cell formats of a BIFF8 workbook as the reader collects them: FONT, FORMAT, XF and
// PALETTE records, turned into the engine's styles and colour indexes.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/core/workbook.h"
#include "engine/xls/xls_reader_records.h"

namespace tallowmere::engine::xls {

// A colour index of the file (icv) as an object-model colour index 1..56, or automatic.
int ColorIndexFromIcv(std::uint16_t icv);

// The format text of a built-in number format index; "General" for one it does not know.
std::string BuiltInNumberFormat(std::uint16_t index);

class StyleCollector {
 public:
  void ReadFont(RecordCursor& cursor);
  void ReadFormat(RecordCursor& cursor);
  void ReadXf(RecordCursor& cursor);
  static void ReadPalette(RecordCursor& cursor, std::array<std::uint32_t, 56>& palette);

  // Interns the style of every XF read; call once the workbook globals are read.
  void Resolve(StyleTable& styles);
  // The style of an XF index; the default style for an index the file never defined.
  StyleId StyleOf(std::uint16_t xfIndex) const;

 private:
  struct RawXf {
    std::uint16_t font = 0, format = 0;
    std::uint8_t alignment = 0;
    std::uint16_t borderLines = 0, borderColors1 = 0;
    std::uint32_t borderColors2 = 0;
    std::uint16_t fillColors = 0;
  };
  Style ToStyle(const RawXf& xf) const;

  std::vector<Font> fonts_;
  std::map<std::uint16_t, std::string> formats_;
  std::vector<RawXf> xfs_;
  std::vector<StyleId> resolved_;
};

}  // namespace tallowmere::engine::xls
