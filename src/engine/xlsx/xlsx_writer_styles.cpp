// Cell formats of an .xlsx workbook built from the engine's styles.
#include <xlsxwriter.h>

#include "engine/xlsx/xlsx_writer_parts.h"

namespace tallowmere::engine::xlsx {
namespace {

std::uint8_t HorizontalAlign(HAlign align) {
  switch (align) {
    case HAlign::Left: return LXW_ALIGN_LEFT;
    case HAlign::Center: return LXW_ALIGN_CENTER;
    case HAlign::Right: return LXW_ALIGN_RIGHT;
    case HAlign::General: break;
  }
  return LXW_ALIGN_NONE;
}

std::uint8_t VerticalAlign(VAlign align) {
  switch (align) {
    case VAlign::Center: return LXW_ALIGN_VERTICAL_CENTER;
    case VAlign::Top: return LXW_ALIGN_VERTICAL_TOP;
    case VAlign::Bottom: break;
  }
  return LXW_ALIGN_NONE;  // bottom, the format's default
}

}  // namespace

lxw_format* XlsxFormats::Of(StyleId style) {
  auto [it, added] = formats_.try_emplace(style, nullptr);
  if (added) it->second = Make(workbook_.styles.Get(style));
  return it->second;
}

std::optional<lxw_color_t> XlsxFormats::PaletteColor(int index) const {
  const std::optional<std::uint32_t> rgb = workbook_.PaletteRgb(index);
  if (!rgb) return std::nullopt;
  // The library reads 0 as "no colour": black has a value of its own.
  return *rgb == 0 ? lxw_color_t{LXW_COLOR_BLACK} : lxw_color_t{*rgb};
}

lxw_format* XlsxFormats::Make(const Style& style) {
  lxw_format* format = workbook_add_format(book_);
  if (!format) Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "a cell format");
  format_set_font_name(format, style.font.name.c_str());
  format_set_font_size(format, style.font.size);
  if (style.font.bold) format_set_bold(format);
  if (style.font.italic) format_set_italic(format);
  if (auto color = PaletteColor(style.font.colorIndex)) format_set_font_color(format, *color);
  if (auto color = PaletteColor(style.fillColorIndex)) {
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_fg_color(format, *color);
  }
  // Each call sets one direction; "none" would clear the horizontal one.
  for (std::uint8_t align : {HorizontalAlign(style.horizontal), VerticalAlign(style.vertical)}) {
    if (align != LXW_ALIGN_NONE) format_set_align(format, align);
  }
  if (style.wrap) format_set_text_wrap(format);
  if (style.numberFormat != "General") format_set_num_format(format, style.numberFormat.c_str());

  const auto border = [&](const BorderSide& side, auto setLine, auto setColor) {
    if (!side.line) return;
    setLine(format, LXW_BORDER_THIN);
    if (auto color = PaletteColor(side.colorIndex)) setColor(format, *color);
  };
  border(style.left, format_set_left, format_set_left_color);
  border(style.top, format_set_top, format_set_top_color);
  border(style.right, format_set_right, format_set_right_color);
  border(style.bottom, format_set_bottom, format_set_bottom_color);
  return format;
}

}  // namespace tallowmere::engine::xlsx
