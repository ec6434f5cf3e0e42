#pragma once
// The formatting part of a BIFF8 workbook built from the engine's styles: the fonts,
// number formats and XF records that the cells, rows and columns refer to.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/core/workbook.h"
#include "engine/xls/biff8_stream.h"

namespace tallowmere::engine::biff8 {

class XlsStyles {
 public:
  // Collects every style that a cell, row, column or sheet of the workbook uses.
  explicit XlsStyles(const WorkbookData& workbook);

  // The XF index of a style id (the default style is the default cell XF 15).
  std::uint16_t Xf(StyleId style) const;

  // Writes FONT, FORMAT, XF and STYLE records in that order.
  void Write(RecordStream& out) const;

 private:
  std::uint16_t FontIndex(const Font& font);
  std::uint16_t FormatId(const std::string& format);

  const StyleTable& styles_;
  std::vector<Font> fonts_;                                     // after the fixed ones
  std::vector<std::pair<std::uint16_t, std::string>> formats_;  // custom formats
  struct CellXf {
    StyleId style;
    std::uint16_t font, format;
  };
  std::vector<CellXf> xfs_;  // from XF 16
  std::unordered_map<StyleId, std::uint16_t> xfOfStyle_;
};

// Record bodies, exposed for the tests of their fields.
ByteBuffer FontBody(const Font& font);
ByteBuffer CellXfBody(const Style& style, std::uint16_t font, std::uint16_t format);

}  // namespace tallowmere::engine::biff8
