#include "engine/xls/xls_writer_conditions.h"

#include <algorithm>
#include <set>
#include <vector>

#include "engine/xls/biff8_records.h"

namespace tallowmere::engine::biff8 {
namespace {

constexpr std::uint8_t kCompareCellValue = 1;

// CF option flags. The low bits say which parts of the format the condition leaves
// unchanged ("no change" bits); the high bits which blocks follow the fixed part.
constexpr std::uint32_t kUnchangedAlignmentProtectionBorders = 0x0000FFFF;
constexpr std::uint32_t kUnchangedNumberFormatAndFont = 0x00380000;
constexpr std::uint32_t kUnchangedFill = 0x00070000;  // pattern, pattern colour, background colour
constexpr std::uint32_t kFontBlock = 0x04000000;
constexpr std::uint32_t kPatternBlock = 0x20000000;

// Font block: which font parts the condition leaves unchanged (style and weight, outline,
// shadow, strikeout), and the size and colour values that mean "unchanged".
constexpr std::uint32_t kFontUnchangedParts = 0x0000009A;
constexpr std::uint32_t kUnchanged32 = 0xFFFFFFFF;
constexpr std::size_t kFontNameBytes = 64;
constexpr std::uint16_t kSolidPattern = 1;

std::uint16_t U16(int value) { return static_cast<std::uint16_t>(value); }

std::uint8_t OperatorCode(FormatConditionData::Operator op) {
  return static_cast<std::uint8_t>(static_cast<int>(op) + 1);  // Between = 1 .. LessEqual = 8
}

using Indexes = std::map<std::uint32_t, int>;

std::uint32_t Icv(const Indexes& indexes, std::uint32_t rgb) {
  return static_cast<std::uint32_t>(indexes.at(rgb) + kPaletteFirstIcv - 1);
}

int NearestFreeIndex(const WorkbookData& workbook, std::uint32_t rgb, const std::set<int>& taken) {
  const auto channel = [](std::uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); };
  int best = 0;
  long bestDistance = -1;
  for (int index = 1; index <= static_cast<int>(workbook.palette.size()); ++index) {
    if (taken.count(index)) continue;
    const std::uint32_t entry = *workbook.PaletteRgb(index);
    long distance = 0;
    for (int shift : {0, 8, 16}) {
      const long d = channel(entry, shift) - channel(rgb, shift);
      distance += d * d;
    }
    if (bestDistance < 0 || distance < bestDistance) best = index, bestDistance = distance;
  }
  return best;
}

// 118 bytes: the font's colour; everything else unchanged.
void AddFontBlock(ByteBuffer& b, std::uint32_t icv) {
  b.Zeros(kFontNameBytes).U32(kUnchanged32).U32(0).U16(kFontWeightNormal).U16(0).U8(0).Zeros(3);
  b.U32(icv).U32(0).U32(kFontUnchangedParts).U32(1).U32(1).Zeros(16).U16(1);
}

// A solid fill: pattern and background colour alike, as readers take either for it.
void AddPatternBlock(ByteBuffer& b, std::uint32_t icv) {
  b.U16(static_cast<std::uint16_t>(kSolidPattern << 10)).U16(static_cast<std::uint16_t>(icv | icv << 7));
}

ByteBuffer CfBody(const FormatConditionData& condition, const CellRect& range, const Indexes& indexes) {
  const std::vector<std::uint8_t> first = EncodeBiff8(*condition.formula1, range.firstRow, range.firstColumn);
  const std::vector<std::uint8_t> second = condition.formula2
                                               ? EncodeBiff8(*condition.formula2, range.firstRow, range.firstColumn)
                                               : std::vector<std::uint8_t>{};
  std::uint32_t flags = kUnchangedAlignmentProtectionBorders | kUnchangedNumberFormatAndFont;
  if (condition.fontRgb) flags |= kFontBlock;
  if (condition.fillRgb)
    flags |= kPatternBlock;
  else
    flags |= kUnchangedFill;
  ByteBuffer b;
  b.U8(kCompareCellValue).U8(OperatorCode(condition.op)).U16(U16(static_cast<int>(first.size())));
  b.U16(U16(static_cast<int>(second.size()))).U32(flags).U16(0);
  if (condition.fontRgb) AddFontBlock(b, Icv(indexes, *condition.fontRgb));
  if (condition.fillRgb) AddPatternBlock(b, Icv(indexes, *condition.fillRgb));
  return b.Bytes(first).Bytes(second);
}

void AddRef8(ByteBuffer& b, const CellRect& r) {
  b.U16(U16(r.firstRow - 1)).U16(U16(r.lastRow - 1)).U16(U16(r.firstColumn - 1)).U16(U16(r.lastColumn - 1));
}

}  // namespace

std::map<std::uint32_t, int> ConditionPaletteIndexes(const WorkbookData& workbook, const SheetData& sheet) {
  std::vector<std::uint32_t> colours;  // each once, in the order the conditions name them
  for (const ConditionalFormat& format : sheet.conditionalFormats) {
    for (const FormatConditionData& condition : format.conditions) {
      for (const auto& rgb : {condition.fontRgb, condition.fillRgb})
        if (rgb && std::find(colours.begin(), colours.end(), *rgb) == colours.end()) colours.push_back(*rgb);
    }
  }
  Indexes indexes;
  std::set<int> taken;
  // Colours the palette holds take their own entry first; the others the nearest left, or
  // once every entry is taken, their nearest.
  for (const std::uint32_t rgb : colours) {
    const int index = NearestFreeIndex(workbook, rgb, {});
    if (*workbook.PaletteRgb(index) == rgb) indexes[rgb] = index, taken.insert(index);
  }
  for (const std::uint32_t rgb : colours) {
    if (indexes.count(rgb)) continue;
    indexes[rgb] = NearestFreeIndex(workbook, rgb, taken.size() < workbook.palette.size() ? taken : std::set<int>{});
    taken.insert(indexes[rgb]);
  }
  return indexes;
}

void WriteConditionalFormats(RecordStream& out, const SheetData& sheet, const WorkbookData& workbook) {
  if (sheet.conditionalFormats.empty()) return;
  const Indexes indexes = ConditionPaletteIndexes(workbook, sheet);
  int id = 0;
  for (const ConditionalFormat& format : sheet.conditionalFormats) {
    if (format.conditions.empty()) continue;
    ByteBuffer header;
    header.U16(U16(static_cast<int>(format.conditions.size()))).U16(U16(++id << 1));
    AddRef8(header, format.range);
    header.U16(1);
    AddRef8(header, format.range);
    out.Write(rec::kCondFmt, header);
    for (const FormatConditionData& condition : format.conditions)
      out.Write(rec::kCf, CfBody(condition, format.range, indexes));
  }
}

}  // namespace tallowmere::engine::biff8
