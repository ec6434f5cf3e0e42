#pragma once
// Record identifiers and field encodings of the Excel 97-2003 (BIFF8) workbook stream,
// shared by the writer and the reader so that both sides agree on every constant.

#include <cstddef>
#include <cstdint>

namespace tallowmere::engine::biff8 {

// Record identifiers.
namespace rec {
inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kCalcCount = 0x000C;
inline constexpr std::uint16_t kCalcMode = 0x000D;
inline constexpr std::uint16_t kPrecision = 0x000E;
inline constexpr std::uint16_t kRefMode = 0x000F;
inline constexpr std::uint16_t kDelta = 0x0010;
inline constexpr std::uint16_t kIteration = 0x0011;
inline constexpr std::uint16_t kProtect = 0x0012;
inline constexpr std::uint16_t kPassword = 0x0013;
inline constexpr std::uint16_t kHeader = 0x0014;
inline constexpr std::uint16_t kFooter = 0x0015;
inline constexpr std::uint16_t kExternSheet = 0x0017;
inline constexpr std::uint16_t kName = 0x0018;
inline constexpr std::uint16_t kWindowProtect = 0x0019;
inline constexpr std::uint16_t kSelection = 0x001D;
inline constexpr std::uint16_t kDateMode = 0x0022;
inline constexpr std::uint16_t kLeftMargin = 0x0026;
inline constexpr std::uint16_t kRightMargin = 0x0027;
inline constexpr std::uint16_t kTopMargin = 0x0028;
inline constexpr std::uint16_t kBottomMargin = 0x0029;
inline constexpr std::uint16_t kPrintHeaders = 0x002A;
inline constexpr std::uint16_t kPrintGridlines = 0x002B;
inline constexpr std::uint16_t kFont = 0x0031;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kWindow1 = 0x003D;
inline constexpr std::uint16_t kBackup = 0x0040;
inline constexpr std::uint16_t kPane = 0x0041;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kDefColWidth = 0x0055;
inline constexpr std::uint16_t kWriteAccess = 0x005C;
inline constexpr std::uint16_t kSaveRecalc = 0x005F;
inline constexpr std::uint16_t kColInfo = 0x007D;
inline constexpr std::uint16_t kGuts = 0x0080;
inline constexpr std::uint16_t kWsBool = 0x0081;
inline constexpr std::uint16_t kGridSet = 0x0082;
inline constexpr std::uint16_t kHCenter = 0x0083;
inline constexpr std::uint16_t kVCenter = 0x0084;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kCountry = 0x008C;
inline constexpr std::uint16_t kHideObj = 0x008D;
inline constexpr std::uint16_t kPalette = 0x0092;
inline constexpr std::uint16_t kFnGroupCount = 0x009C;
inline constexpr std::uint16_t kSetup = 0x00A1;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kMms = 0x00C1;
inline constexpr std::uint16_t kBookBool = 0x00DA;
inline constexpr std::uint16_t kXf = 0x00E0;
inline constexpr std::uint16_t kInterfaceHdr = 0x00E1;
inline constexpr std::uint16_t kInterfaceEnd = 0x00E2;
inline constexpr std::uint16_t kMergedCells = 0x00E5;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kExtSst = 0x00FF;
inline constexpr std::uint16_t kTabId = 0x013D;
inline constexpr std::uint16_t kUsesElfs = 0x0160;
inline constexpr std::uint16_t kDsf = 0x0161;
inline constexpr std::uint16_t kSupBook = 0x01AE;
inline constexpr std::uint16_t kCondFmt = 0x01B0;
inline constexpr std::uint16_t kCf = 0x01B1;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kRow = 0x0208;
inline constexpr std::uint16_t kIndex = 0x020B;
inline constexpr std::uint16_t kDefaultRowHeight = 0x0225;
inline constexpr std::uint16_t kWindow2 = 0x023E;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kStyle = 0x0293;
inline constexpr std::uint16_t kFormat = 0x041E;
inline constexpr std::uint16_t kBof = 0x0809;
}  // namespace rec

// Largest record body; longer data continues in CONTINUE records.
inline constexpr std::size_t kMaxRecordData = 8224;

// BOF: version and substream types.
inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kBofGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
inline constexpr std::uint16_t kBuildId = 0x0DBB;
inline constexpr std::uint16_t kBuildYear = 0x07CC;

inline constexpr std::uint16_t kCodePageUtf16 = 1200;

// Fonts: the index 4 is never used in references (a record at position 4 or later is
// referenced by its position + 1). The first four font records are fixed.
inline constexpr int kFixedFontCount = 4;
inline constexpr int kSkippedFontIndex = 4;
inline constexpr std::uint16_t kFontWeightNormal = 400;
inline constexpr std::uint16_t kFontWeightBold = 700;
inline constexpr std::uint16_t kFontBoldFlag = 0x0001;  // FONT grbit, repeats the weight
inline constexpr std::uint16_t kFontItalic = 0x0002;
inline constexpr std::uint16_t kColorFontAutomatic = 0x7FFF;

// Colour indexes (icv): palette entry i (1..56) is icv i + 7.
inline constexpr int kPaletteFirstIcv = 8;
inline constexpr int kPaletteSize = 56;
inline constexpr std::uint16_t kIcvAutomaticBorder = 64;      // system window text
inline constexpr std::uint16_t kIcvAutomaticBackground = 65;  // system window background

// Number formats: built-in ids below 164; custom formats from 164.
inline constexpr std::uint16_t kFirstCustomFormat = 164;
inline constexpr std::uint16_t kFormatGeneral = 0;
inline constexpr std::uint16_t kFormatThousands = 3;  // "#,##0"

// XF: 15 style XFs and the default cell XF 15 come first.
inline constexpr int kStyleXfCount = 15;
inline constexpr int kDefaultCellXf = 15;
inline constexpr int kFirstCustomXf = 16;
inline constexpr std::uint16_t kXfStyleParentNone = 0xFFF;
// XF alignment byte: bits 0-2 horizontal, bit 3 wrap, bits 4-6 vertical.
inline constexpr std::uint8_t kXfHGeneral = 0, kXfHLeft = 1, kXfHCenter = 2, kXfHRight = 3;
inline constexpr std::uint8_t kXfVTop = 0, kXfVCenter = 1, kXfVBottom = 2;
inline constexpr std::uint8_t kXfWrap = 0x08;
// XF border line style (4 bits per side).
inline constexpr std::uint8_t kLineNone = 0, kLineThin = 1;
// XF fill pattern (fls).
inline constexpr std::uint8_t kPatternNone = 0, kPatternSolid = 1;

// ROW grbit.
inline constexpr std::uint32_t kRowUnsynced = 0x0040;    // custom height
inline constexpr std::uint32_t kRowGhostDirty = 0x0080;  // row has a format (ixfe)
inline constexpr std::uint32_t kRowReserved = 0x0100;    // always set

// FORMULA grbit and the cached-result markers in its 8-byte value field.
inline constexpr std::uint16_t kFormulaAlwaysCalc = 0x0001;
inline constexpr std::uint16_t kFormulaCalcOnLoad = 0x0002;
inline constexpr std::uint8_t kFormulaResultString = 0x00;
inline constexpr std::uint8_t kFormulaResultBoolean = 0x01;
inline constexpr std::uint8_t kFormulaResultError = 0x02;
inline constexpr std::uint8_t kFormulaResultEmpty = 0x03;
inline constexpr std::uint16_t kFormulaResultMarker = 0xFFFF;

// WINDOW2 grbit.
inline constexpr std::uint16_t kWindow2DisplayGrid = 0x0002;
inline constexpr std::uint16_t kWindow2DisplayHeaders = 0x0004;
inline constexpr std::uint16_t kWindow2DisplayZeros = 0x0010;
inline constexpr std::uint16_t kWindow2DefaultGridColor = 0x0020;
inline constexpr std::uint16_t kWindow2Outline = 0x0080;
inline constexpr std::uint16_t kWindow2Selected = 0x0200;
inline constexpr std::uint16_t kWindow2Active = 0x0400;

// WSBOOL.
inline constexpr std::uint16_t kWsBoolShowAutoBreaks = 0x0001;
inline constexpr std::uint16_t kWsBoolRowSumsBelow = 0x0040;
inline constexpr std::uint16_t kWsBoolColSumsRight = 0x0080;
inline constexpr std::uint16_t kWsBoolFitToPage = 0x0100;
inline constexpr std::uint16_t kWsBoolDisplayGuts = 0x0400;

// SETUP grbit.
inline constexpr std::uint16_t kSetupLeftToRight = 0x0001;
inline constexpr std::uint16_t kSetupPortrait = 0x0002;
inline constexpr std::uint16_t kSetupNoPls = 0x0004;  // paper size etc. not valid
inline constexpr std::uint16_t kSetupNoColor = 0x0008;
inline constexpr std::uint16_t kSetupDraft = 0x0010;
inline constexpr std::uint16_t kSetupNotes = 0x0020;  // print comments
inline constexpr std::uint16_t kSetupNoOrient = 0x0040;

// NAME: the built-in name Print_Area.
inline constexpr std::uint16_t kNameBuiltin = 0x0020;
inline constexpr std::uint8_t kBuiltinPrintArea = 0x06;

// Formula tokens used in names.
inline constexpr std::uint8_t kPtgArea3d = 0x3B;

// BOUNDSHEET: visible worksheet.
inline constexpr std::uint8_t kSheetVisible = 0x00;
inline constexpr std::uint8_t kSheetTypeWorksheet = 0x00;

// SUPBOOK marker for references inside this workbook.
inline constexpr std::uint16_t kSupBookSelf = 0x0401;

}  // namespace tallowmere::engine::biff8
