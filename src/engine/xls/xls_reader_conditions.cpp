#include "engine/xls/xls_reader_conditions.h"

#include "engine/core/conditional_format.h"
#include "engine/core/engine_error.h"

namespace tallowmere::engine::xls {
namespace {

constexpr std::uint8_t kCompareCellValue = 1;
constexpr std::uint32_t kFontBlock = 0x04000000, kAlignmentBlock = 0x08000000, kBorderBlock = 0x10000000,
                        kPatternBlock = 0x20000000, kProtectionBlock = 0x40000000;
constexpr std::uint32_t kFillColourUnchanged = 0x00040000;  // background colour, which a solid fill shows
constexpr std::size_t kFontColourAt = 80, kFontBlockSize = 118, kAlignmentBlockSize = 8, kBorderBlockSize = 8,
                      kProtectionBlockSize = 2;
constexpr int kFirstPaletteIcv = 8;

FormulaPtr Formula(RecordCursor& cursor, std::size_t size, const CellRect& range) {
  if (size == 0) return nullptr;
  if (cursor.Remaining() < size) Damaged("a conditional format's formula is cut off");
  FormulaPtr formula = DecodeBiff8(cursor.Here(), size, range.firstRow, range.firstColumn);
  cursor.Skip(size);
  return formula;
}

}  // namespace

std::optional<std::uint32_t> ConditionalFormatReader::Colour(std::uint32_t icv) const {
  if (icv < kFirstPaletteIcv || icv >= kFirstPaletteIcv + palette_.size()) return std::nullopt;
  const std::uint32_t bgr = palette_[icv - kFirstPaletteIcv];
  return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}

void ConditionalFormatReader::ReadCondFmt(RecordCursor& cursor) {
  remaining_ = cursor.U16();
  cursor.Skip(2);
  const int firstRow = cursor.U16() + 1, lastRow = cursor.U16() + 1;
  const int firstColumn = cursor.U16() + 1, lastColumn = cursor.U16() + 1;
  range_ = CellRect{firstRow, firstColumn, lastRow, lastColumn};
  // The bounds cover the range list; a list of one range is the bounds themselves.
  if (cursor.U16() != 1 || firstRow > lastRow || firstColumn > lastColumn || lastColumn > kMaxColumns) range_.reset();
}

void ConditionalFormatReader::ReadCf(RecordCursor& cursor, SheetData& sheet) {
  if (remaining_ == 0) return;
  --remaining_;
  const std::uint8_t type = cursor.U8(), op = cursor.U8();
  const std::uint16_t firstSize = cursor.U16(), secondSize = cursor.U16();
  const std::uint32_t flags = cursor.U32();
  cursor.Skip(2);
  if (!range_ || type != kCompareCellValue || op < 1 || op > 8) return;
  FormatConditionData condition;
  condition.op = static_cast<FormatConditionData::Operator>(op - 1);
  if (flags & kFontBlock) {
    cursor.Skip(kFontColourAt);
    condition.fontRgb = Colour(cursor.U32());
    cursor.Skip(kFontBlockSize - kFontColourAt - 4);
  }
  if (flags & kAlignmentBlock) cursor.Skip(kAlignmentBlockSize);
  if (flags & kBorderBlock) cursor.Skip(kBorderBlockSize);
  if (flags & kPatternBlock) {
    cursor.Skip(2);
    const std::uint16_t colours = cursor.U16();
    if (!(flags & kFillColourUnchanged)) condition.fillRgb = Colour(colours >> 7 & 0x7F);
  }
  if (flags & kProtectionBlock) cursor.Skip(kProtectionBlockSize);
  try {
    condition.formula1 = Formula(cursor, firstSize, *range_);
    condition.formula2 = Formula(cursor, secondSize, *range_);
    AddFormatCondition(sheet, *range_, std::move(condition));
  } catch (const FormulaError&) {
    // Tokens the engine does not read: the condition is left out, the rest of the sheet kept.
  } catch (const EngineError&) {
    // A condition the engine cannot hold (one that refers to cells): left out as well.
  }
}

}  // namespace tallowmere::engine::xls
