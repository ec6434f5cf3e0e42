#include "engine/xls/internal/xls_reader_styles.h"

#include "engine/xls/biff8_records.h"

namespace tallowmere::engine::xls {
namespace {

using biff8::kIcvAutomaticBackground;
using biff8::kIcvAutomaticBorder;

BorderSide Side(unsigned lineStyle, unsigned icv) {
  BorderSide side;
  side.line = lineStyle != 0;
  if (side.line) side.colorIndex = ColorIndexFromIcv(static_cast<std::uint16_t>(icv));
  return side;
}

}  // namespace

int ColorIndexFromIcv(std::uint16_t icv) {
  if (icv < 8) return icv + 1;   // the fixed EGA colours, the same as palette entries 1..8
  if (icv < 64) return icv - 7;  // palette entries 8..63 are colour indexes 1..56
  return kColorAutomatic;        // system colours and "automatic"
}

std::string BuiltInNumberFormat(std::uint16_t index) {
  static const std::map<std::uint16_t, std::string> kBuiltIn = {{0, "General"},
                                                                {1, "0"},
                                                                {2, "0.00"},
                                                                {3, "#,##0"},
                                                                {4, "#,##0.00"},
                                                                {9, "0%"},
                                                                {10, "0.00%"},
                                                                {11, "0.00E+00"},
                                                                {12, "# ?/?"},
                                                                {13, "# ?\?/?\?"},
                                                                {14, "m/d/yyyy"},
                                                                {15, "d-mmm-yy"},
                                                                {16, "d-mmm"},
                                                                {17, "mmm-yy"},
                                                                {18, "h:mm AM/PM"},
                                                                {19, "h:mm:ss AM/PM"},
                                                                {20, "h:mm"},
                                                                {21, "h:mm:ss"},
                                                                {22, "m/d/yyyy h:mm"},
                                                                {37, "#,##0 ;(#,##0)"},
                                                                {38, "#,##0 ;[Red](#,##0)"},
                                                                {39, "#,##0.00;(#,##0.00)"},
                                                                {40, "#,##0.00;[Red](#,##0.00)"},
                                                                {45, "mm:ss"},
                                                                {46, "[h]:mm:ss"},
                                                                {47, "mmss.0"},
                                                                {48, "##0.0E+0"},
                                                                {49, "@"}};
  auto found = kBuiltIn.find(index);
  return found == kBuiltIn.end() ? "General" : found->second;
}

void StyleCollector::ReadFont(RecordCursor& cursor) {
  Font font;
  const std::uint16_t height = cursor.U16();
  const std::uint16_t flags = cursor.U16();
  const std::uint16_t icv = cursor.U16();
  const std::uint16_t weight = cursor.U16();
  cursor.Skip(6);  // escapement, underline, family, character set, reserved
  font.name = cursor.ShortString();
  font.size = height / 20.0;
  font.italic = (flags & 0x0002) != 0;
  font.bold = weight >= biff8::kFontWeightBold;
  font.colorIndex = icv == biff8::kColorFontAutomatic ? kColorAutomatic : ColorIndexFromIcv(icv);
  fonts_.push_back(std::move(font));
}

void StyleCollector::ReadFormat(RecordCursor& cursor) {
  const std::uint16_t index = cursor.U16();
  formats_[index] = cursor.LongString();
}

void StyleCollector::ReadXf(RecordCursor& cursor) {
  RawXf xf;
  xf.font = cursor.U16();
  xf.format = cursor.U16();
  cursor.Skip(2);  // protection, style flag, parent
  xf.alignment = cursor.U8();
  cursor.Skip(3);  // rotation, indent, used-attribute flags
  xf.borderLines = cursor.U16();
  xf.borderColors1 = cursor.U16();
  xf.borderColors2 = cursor.U32();
  xf.fillColors = cursor.U16();
  xfs_.push_back(xf);
}

void StyleCollector::ReadPalette(RecordCursor& cursor, std::array<std::uint32_t, 56>& palette) {
  const std::size_t count = cursor.U16();
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t red = cursor.U8(), green = cursor.U8(), blue = cursor.U8();
    cursor.Skip(1);
    if (i < palette.size()) palette[i] = red | (green << 8) | (blue << 16);
  }
}

Style StyleCollector::ToStyle(const RawXf& xf) const {
  Style style;
  // Font index 4 does not exist in the file: the fifth FONT record has index 5.
  const std::size_t fontIndex = xf.font < biff8::kSkippedFontIndex ? xf.font : xf.font - 1u;
  if (fontIndex < fonts_.size()) style.font = fonts_[fontIndex];
  auto format = formats_.find(xf.format);
  style.numberFormat = format != formats_.end() ? format->second : BuiltInNumberFormat(xf.format);

  static constexpr HAlign kHorizontal[] = {HAlign::General, HAlign::Left, HAlign::Center, HAlign::Right};
  const unsigned horizontal = xf.alignment & 0x07;
  style.horizontal = horizontal < 4 ? kHorizontal[horizontal] : HAlign::General;
  style.wrap = (xf.alignment & 0x08) != 0;
  const unsigned vertical = (xf.alignment >> 4) & 0x07;
  style.vertical = vertical == 0 ? VAlign::Top : vertical == 1 ? VAlign::Center : VAlign::Bottom;

  style.left = Side(xf.borderLines & 0x0F, xf.borderColors1 & 0x7F);
  style.right = Side((xf.borderLines >> 4) & 0x0F, (xf.borderColors1 >> 7) & 0x7F);
  style.top = Side((xf.borderLines >> 8) & 0x0F, xf.borderColors2 & 0x7F);
  style.bottom = Side((xf.borderLines >> 12) & 0x0F, (xf.borderColors2 >> 7) & 0x7F);

  const unsigned pattern = xf.borderColors2 >> 26;
  const std::uint16_t fillIcv = xf.fillColors & 0x7F;
  if (pattern != 0 && fillIcv != kIcvAutomaticBorder && fillIcv != kIcvAutomaticBackground) {
    style.fillColorIndex = ColorIndexFromIcv(fillIcv);
  }
  return style;
}

void StyleCollector::Resolve(StyleTable& styles) {
  resolved_.clear();
  resolved_.reserve(xfs_.size());
  for (const RawXf& xf : xfs_) resolved_.push_back(styles.Intern(ToStyle(xf)));
}

StyleId StyleCollector::StyleOf(std::uint16_t xfIndex) const {
  return xfIndex < resolved_.size() ? resolved_[xfIndex] : 0;
}

}  // namespace tallowmere::engine::xls
