#include "engine/core/workbook.h"

#include <functional>

namespace tallowmere::engine {
namespace {

// Folds value's hash into seed, so that the order of the values counts.
template <typename T>
void Combine(std::size_t& seed, const T& value) {
  seed ^= std::hash<T>{}(value) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

void CombineSide(std::size_t& seed, const BorderSide& side) {
  Combine(seed, side.line);
  Combine(seed, side.colorIndex);
}

// 0xRRGGBB as written in tables, turned into the object model's 0xBBGGRR.
constexpr std::uint32_t Rgb(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }

}  // namespace

std::size_t StyleHash::operator()(const Style& s) const {
  std::size_t seed = 0;
  Combine(seed, s.font.name);
  Combine(seed, s.font.size);
  Combine(seed, s.font.bold);
  Combine(seed, s.font.italic);
  Combine(seed, s.font.colorIndex);
  Combine(seed, s.fillColorIndex);
  Combine(seed, static_cast<int>(s.horizontal));
  Combine(seed, static_cast<int>(s.vertical));
  Combine(seed, s.wrap);
  Combine(seed, s.numberFormat);
  for (const BorderSide* side : {&s.left, &s.top, &s.right, &s.bottom}) CombineSide(seed, *side);
  return seed;
}

StyleTable::StyleTable() { Intern(Style{}); }

StyleId StyleTable::Intern(const Style& style) {
  if (const auto found = index_.find(style); found != index_.end()) return found->second;
  const auto id = static_cast<StyleId>(styles_.size());
  styles_.push_back(style);
  index_.emplace(style, id);
  return id;
}

const Cell* SheetData::Find(int row, int column) const {
  auto it = cells_.find({row, column});
  return it == cells_.end() ? nullptr : &it->second;
}

Cell* SheetData::Find(int row, int column) {
  auto it = cells_.find({row, column});
  return it == cells_.end() ? nullptr : &it->second;
}

Cell& SheetData::At(int row, int column) {
  auto [it, inserted] = cells_.try_emplace({row, column});
  if (inserted) it->second.style = InheritedStyle(row, column);
  return it->second;
}

StyleId SheetData::InheritedStyle(int row, int column) const {
  if (auto r = rowStyles.find(row); r != rowStyles.end()) return r->second;
  if (auto c = columnStyles.find(column); c != columnStyles.end()) return c->second;
  return sheetStyle;
}

StyleId SheetData::EffectiveStyle(int row, int column) const {
  if (const Cell* cell = Find(row, column)) return cell->style;
  return InheritedStyle(row, column);
}

double SheetData::RowHeight(int row) const {
  auto it = rowHeights.find(row);
  return it == rowHeights.end() ? defaultRowHeight : it->second;
}

double SheetData::ColumnWidth(int column) const {
  auto it = columnWidths.find(column);
  return it == columnWidths.end() ? defaultColumnWidth : it->second;
}

const CellRect* SheetData::MergeAt(int row, int column) const {
  for (const auto& m : merges) {
    if (row >= m.firstRow && row <= m.lastRow && column >= m.firstColumn && column <= m.lastColumn) return &m;
  }
  return nullptr;
}

WorkbookData::WorkbookData() : palette(DefaultPalette()) {}

const std::array<std::uint32_t, 56>& WorkbookData::DefaultPalette() {
  // The standard palette of a new 97-2003 workbook, entries 1..56.
  static const std::array<std::uint32_t, 56> palette = {
      Rgb(0x000000), Rgb(0xFFFFFF), Rgb(0xFF0000), Rgb(0x00FF00), Rgb(0x0000FF), Rgb(0xFFFF00), Rgb(0xFF00FF),
      Rgb(0x00FFFF), Rgb(0x800000), Rgb(0x008000), Rgb(0x000080), Rgb(0x808000), Rgb(0x800080), Rgb(0x008080),
      Rgb(0xC0C0C0), Rgb(0x808080), Rgb(0x9999FF), Rgb(0x993366), Rgb(0xFFFFCC), Rgb(0xCCFFFF), Rgb(0x660066),
      Rgb(0xFF8080), Rgb(0x0066CC), Rgb(0xCCCCFF), Rgb(0x000080), Rgb(0xFF00FF), Rgb(0xFFFF00), Rgb(0x00FFFF),
      Rgb(0x800080), Rgb(0x800000), Rgb(0x008080), Rgb(0x0000FF), Rgb(0x00CCFF), Rgb(0xCCFFFF), Rgb(0xCCFFCC),
      Rgb(0xFFFF99), Rgb(0x99CCFF), Rgb(0xFF99CC), Rgb(0xCC99FF), Rgb(0xFFCC99), Rgb(0x3366FF), Rgb(0x33CCCC),
      Rgb(0x99CC00), Rgb(0xFFCC00), Rgb(0xFF9900), Rgb(0xFF6600), Rgb(0x666699), Rgb(0x969696), Rgb(0x003366),
      Rgb(0x339966), Rgb(0x003300), Rgb(0x333300), Rgb(0x993300), Rgb(0x993366), Rgb(0x333399), Rgb(0x333333),
  };
  return palette;
}

std::optional<std::uint32_t> WorkbookData::PaletteRgb(int index) const {
  if (index < 1 || index > static_cast<int>(palette.size())) return std::nullopt;
  const std::uint32_t bgr = palette[static_cast<std::size_t>(index - 1)];
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

}  // namespace tallowmere::engine
