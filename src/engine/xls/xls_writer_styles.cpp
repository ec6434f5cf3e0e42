#include "engine/xls/xls_writer_styles.h"

#include <algorithm>
#include <cmath>

#include "engine/core/engine_error.h"
#include "engine/xls/biff8_records.h"
#include "text/unicode.h"

namespace tallowmere::engine::biff8 {
namespace {

// The most cell formats and fonts a 97-2003 workbook may hold; a file with more is
// reported damaged when opened, so saving one is refused instead.
constexpr std::size_t kMaxXfs = 4050;
constexpr std::size_t kMaxFonts = 510;

std::uint16_t Icv(int colorIndex, std::uint16_t automatic) {
  return colorIndex >= 1 && colorIndex <= kPaletteSize ? static_cast<std::uint16_t>(colorIndex + kPaletteFirstIcv - 1)
                                                       : automatic;
}

std::uint8_t AlignmentByte(const Style& s) {
  std::uint8_t h = kXfHGeneral;
  if (s.horizontal == HAlign::Left) h = kXfHLeft;
  if (s.horizontal == HAlign::Center) h = kXfHCenter;
  if (s.horizontal == HAlign::Right) h = kXfHRight;
  std::uint8_t v = kXfVBottom;
  if (s.vertical == VAlign::Center) v = kXfVCenter;
  if (s.vertical == VAlign::Top) v = kXfVTop;
  return static_cast<std::uint8_t>(h | (s.wrap ? kXfWrap : 0) | (v << 4));
}

std::uint32_t LineStyle(const BorderSide& side) { return side.line ? kLineThin : kLineNone; }
std::uint32_t LineColor(const BorderSide& side) { return side.line ? Icv(side.colorIndex, kIcvAutomaticBorder) : 0; }

// A style XF (the Normal style and the other built-in slots): locked, parent none.
ByteBuffer StyleXfBody(std::uint8_t usedAttributes) {
  ByteBuffer b;
  b.U16(0).U16(0).U16(0xFFF5).U8(kXfVBottom << 4).U8(0).U8(0).U8(usedAttributes);
  b.U32(0).U32(0).U16(kIcvAutomaticBorder | (kIcvAutomaticBackground << 7));
  return b;
}

}  // namespace

ByteBuffer FontBody(const Font& font) {
  ByteBuffer b;
  b.U16(static_cast<std::uint16_t>(std::lround(font.size * 20)));
  b.U16((font.italic ? kFontItalic : 0) | (font.bold ? kFontBoldFlag : 0));
  b.U16(Icv(font.colorIndex, kColorFontAutomatic));
  b.U16(font.bold ? kFontWeightBold : kFontWeightNormal);
  b.U16(0).U8(0).U8(0).U8(0).U8(0);  // no super/subscript, underline, family, ANSI charset
  return b.String8(ToUtf16(font.name.substr(0, 31)));
}

ByteBuffer CellXfBody(const Style& s, std::uint16_t font, std::uint16_t format) {
  ByteBuffer b;
  b.U16(font).U16(format);
  b.U16(0x0001);  // locked, a cell XF whose parent is the Normal style XF 0
  b.U8(AlignmentByte(s)).U8(0).U8(0);
  b.U8(0xFC);  // every attribute is this XF's own
  b.U32(LineStyle(s.left) | LineStyle(s.right) << 4 | LineStyle(s.top) << 8 | LineStyle(s.bottom) << 12 |
        LineColor(s.left) << 16 | LineColor(s.right) << 23);
  const bool filled = s.fillColorIndex >= 1 && s.fillColorIndex <= kPaletteSize;
  b.U32(LineColor(s.top) | LineColor(s.bottom) << 7 | std::uint32_t{filled ? kPatternSolid : kPatternNone} << 26);
  const std::uint16_t fore = filled ? Icv(s.fillColorIndex, kIcvAutomaticBorder) : kIcvAutomaticBorder;
  return b.U16(static_cast<std::uint16_t>(fore | (kIcvAutomaticBackground << 7)));
}

XlsStyles::XlsStyles(const WorkbookData& workbook) : styles_(workbook.styles) {
  std::vector<StyleId> used;
  for (const auto& sheet : workbook.sheets) {
    used.push_back(sheet->sheetStyle);
    for (const auto& [row, style] : sheet->rowStyles) used.push_back(style);
    for (const auto& [column, style] : sheet->columnStyles) used.push_back(style);
    for (const auto& [position, cell] : sheet->Cells()) used.push_back(cell.style);
  }
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  for (StyleId id : used) {
    if (id == 0) continue;
    const Style& style = styles_.Get(id);
    xfOfStyle_[id] = static_cast<std::uint16_t>(kFirstCustomXf + xfs_.size());
    xfs_.push_back({id, FontIndex(style.font), FormatId(style.numberFormat)});
  }
  if (kFirstCustomXf + xfs_.size() > kMaxXfs || kFixedFontCount + fonts_.size() > kMaxFonts) {
    throw EngineError("The workbook uses " + std::to_string(xfs_.size()) + " different cell formats and " +
                      std::to_string(fonts_.size()) + " fonts, more than a 97-2003 workbook can hold");
  }
}

std::uint16_t XlsStyles::Xf(StyleId style) const {
  auto it = xfOfStyle_.find(style);
  return it == xfOfStyle_.end() ? kDefaultCellXf : it->second;
}

std::uint16_t XlsStyles::FontIndex(const Font& font) {
  if (font == Font{}) return 0;
  auto it = std::find(fonts_.begin(), fonts_.end(), font);
  if (it == fonts_.end()) it = fonts_.insert(fonts_.end(), font);
  // Font records after the fixed four are referenced from 5 on: index 4 is never used.
  return static_cast<std::uint16_t>(kSkippedFontIndex + 1 + (it - fonts_.begin()));
}

std::uint16_t XlsStyles::FormatId(const std::string& format) {
  if (format == "General") return kFormatGeneral;
  if (format == "#,##0") return kFormatThousands;
  for (const auto& [id, text] : formats_) {
    if (text == format) return id;
  }
  auto id = static_cast<std::uint16_t>(kFirstCustomFormat + formats_.size());
  formats_.emplace_back(id, format);
  return id;
}

void XlsStyles::Write(RecordStream& out) const {
  for (int i = 0; i < kFixedFontCount; ++i) out.Write(rec::kFont, FontBody(Font{}));
  for (const Font& font : fonts_) out.Write(rec::kFont, FontBody(font));
  for (const auto& [id, text] : formats_) out.Write(rec::kFormat, ByteBuffer().U16(id).String16(ToUtf16(text)));
  out.Write(rec::kXf, StyleXfBody(0x00));
  for (int i = 1; i < kStyleXfCount; ++i) out.Write(rec::kXf, StyleXfBody(0xF4));
  out.Write(rec::kXf, CellXfBody(Style{}, 0, kFormatGeneral));
  for (const CellXf& xf : xfs_) out.Write(rec::kXf, CellXfBody(styles_.Get(xf.style), xf.font, xf.format));
  // The built-in Normal style, on style XF 0.
  out.Write(rec::kStyle, ByteBuffer().U16(0x8000).U8(0x00).U8(0xFF));
}

}  // namespace tallowmere::engine::biff8
