// The BIFF8 writer's records where a round trip through a reader cannot see them: the
// stream's framing, shared strings across CONTINUE records, font and XF encodings, page
// setup, formulas' cached results, and formats beyond what the file can hold.
#include "engine/xls/xls_writer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/engine_error.h"
#include "engine/xls/biff8_records.h"
#include "engine/xls/xls_reader.h"
#include "engine/xls/xls_writer_conditions.h"
#include "engine/xls/xls_writer_parts.h"
#include "text/unicode.h"

namespace tallowmere::engine {
namespace {

namespace rec = biff8::rec;

struct Record {
  std::uint16_t id;
  std::size_t position;  // of the header in the stream
  std::vector<std::uint8_t> body;
  unsigned U16(std::size_t at) const { return body.at(at) | body.at(at + 1) << 8; }
  std::uint32_t U32(std::size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }
  double Double(std::size_t at) const {
    double v;
    std::memcpy(&v, body.data() + at, 8);
    return v;
  }
};

// The records of a stream up to the EOF of its last substream.
std::vector<Record> Parse(const std::vector<std::uint8_t>& stream, std::size_t* end = nullptr) {
  std::vector<Record> records;
  std::size_t pos = 0;
  int depth = 0;
  while (pos + 4 <= stream.size()) {
    Record r{static_cast<std::uint16_t>(stream[pos] | stream[pos + 1] << 8), pos, {}};
    std::size_t size = stream[pos + 2] | stream[pos + 3] << 8;
    if (pos + 4 + size > stream.size()) break;
    r.body.assign(stream.begin() + pos + 4, stream.begin() + pos + 4 + size);
    records.push_back(std::move(r));
    pos += 4 + size;
    if (records.back().id == rec::kBof) ++depth;
    if (records.back().id == rec::kEof && --depth == 0 && records.size() > 1 && pos < stream.size() &&
        stream[pos] == 0 && stream[pos + 1] == 0) {
      break;  // padding after the last substream
    }
  }
  if (end) *end = pos;
  return records;
}

std::vector<const Record*> All(const std::vector<Record>& records, std::uint16_t id) {
  std::vector<const Record*> found;
  for (const auto& r : records) {
    if (r.id == id) found.push_back(&r);
  }
  return found;
}

class XlsWriterTest : public ::testing::Test {
 protected:
  XlsWriterTest() {
    sheet_ = std::make_shared<SheetData>();
    sheet_->name = "CashFlow";
    book_.sheets.push_back(sheet_);
  }
  Cell& Put(int r, int c, Value v) {
    Cell& cell = sheet_->At(r, c);
    cell.value = std::move(v);
    return cell;
  }
  StyleId StyleWith(const std::function<void(Style&)>& change) {
    Style s;
    change(s);
    return book_.styles.Intern(s);
  }
  std::vector<Record> Records() { return Parse(biff8_stream_ = BuildWorkbookStream(book_)); }

  WorkbookData book_;
  std::shared_ptr<SheetData> sheet_;
  std::vector<std::uint8_t> biff8_stream_;
};

TEST_F(XlsWriterTest, StreamFramingAndSheetOffsets) {
  book_.sheets.push_back(std::make_shared<SheetData>());
  book_.sheets.back()->name = "Second";
  Put(1, 1, Value::Number(1));
  std::size_t end = 0;
  auto records = Parse(BuildWorkbookStream(book_), &end);
  auto stream = BuildWorkbookStream(book_);
  ASSERT_GE(stream.size(), 4096u);  // never in the mini-stream
  EXPECT_TRUE(std::all_of(stream.begin() + end, stream.end(), [](auto b) { return b == 0; }));
  ASSERT_EQ(records.front().id, rec::kBof);
  EXPECT_EQ(records.front().U16(0), 0x0600u);
  EXPECT_EQ(records.front().U16(2), 0x0005u);
  EXPECT_EQ(records[1].id, rec::kCodePage);
  EXPECT_EQ(records[1].U16(0), 1200u);

  auto sheets = All(records, rec::kBoundSheet);
  ASSERT_EQ(sheets.size(), 2u);
  for (const Record* boundSheet : sheets) {
    std::uint32_t offset = boundSheet->U32(0);
    auto bof = std::find_if(records.begin(), records.end(), [&](const Record& r) { return r.position == offset; });
    ASSERT_NE(bof, records.end());
    EXPECT_EQ(bof->id, rec::kBof);
    EXPECT_EQ(bof->U16(2), 0x0010u);  // worksheet
  }
  EXPECT_EQ(All(records, rec::kEof).size(), 3u);
  for (const auto& r : records) EXPECT_LE(r.body.size(), biff8::kMaxRecordData);
}

// Reassembles the SST's strings from the SST and CONTINUE records as a reader must.
std::vector<std::u16string> ReadSst(const std::vector<Record>& records) {
  std::vector<const Record*> parts;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].id != rec::kSst) continue;
    parts.push_back(&records[i]);
    for (std::size_t j = i + 1; j < records.size() && records[j].id == rec::kContinue; ++j)
      parts.push_back(&records[j]);
  }
  std::vector<std::u16string> strings;
  std::size_t part = 0, at = 8;
  const std::uint32_t count = parts.at(0)->U32(4);
  for (std::uint32_t n = 0; n < count; ++n) {
    if (at >= parts[part]->body.size()) ++part, at = 0;
    unsigned length = parts[part]->U16(at);
    bool wide = parts[part]->body.at(at + 2) & 1;
    at += 3;
    std::u16string text;
    while (text.size() < length) {
      if (at >= parts[part]->body.size()) {
        ++part;
        wide = parts[part]->body.at(0) & 1;  // a continued string repeats its option byte
        at = 1;
      }
      text += wide ? static_cast<char16_t>(parts[part]->U16(at)) : static_cast<char16_t>(parts[part]->body.at(at));
      at += wide ? 2 : 1;
    }
    strings.push_back(text);
  }
  return strings;
}

TEST_F(XlsWriterTest, SharedStringsCrossContinueRecordsIntact) {
  std::vector<std::string> texts;
  for (int i = 0; i < 400; ++i) texts.push_back("Item " + std::to_string(i) + std::string(i % 50, 'x'));
  texts.push_back(std::string(20000, 'L'));  // longer than two records
  for (int i = 0; i < 300; ++i) texts.push_back("€uro " + std::to_string(i) + std::string(i % 30, 'y'));
  texts.push_back("Item 1x");  // a repeat is stored once
  for (std::size_t i = 0; i < texts.size(); ++i) Put(static_cast<int>(i) + 1, 2, Value::String(texts[i]));

  auto records = Records();
  EXPECT_GE(All(records, rec::kContinue).size(), 3u);
  auto strings = ReadSst(records);
  ASSERT_EQ(strings.size(), texts.size() - 1);
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) EXPECT_EQ(strings[i], ToUtf16(texts[i])) << i;
  const Record* sst = All(records, rec::kSst).at(0);
  EXPECT_EQ(sst->U32(0), texts.size());      // references
  EXPECT_EQ(sst->U32(4), texts.size() - 1);  // unique strings

  // EXTSST points at the first string of each bucket.
  const Record* ext = All(records, rec::kExtSst).at(0);
  const unsigned perBucket = ext->U16(0);
  ASSERT_GE(perBucket, 8u);
  for (std::size_t bucket = 0; 2 + bucket * 8 + 8 <= ext->body.size(); ++bucket) {
    std::size_t position = ext->U32(2 + bucket * 8);
    unsigned offset = ext->U16(6 + bucket * 8);
    const auto& expected = strings[bucket * perBucket];
    EXPECT_EQ(biff8_stream_[position] | biff8_stream_[position + 1] << 8, static_cast<int>(expected.size()));
    auto holder = std::find_if(records.begin(), records.end(), [&](const Record& r) {
      return r.position <= position && position < r.position + 4 + r.body.size();
    });
    ASSERT_NE(holder, records.end());
    EXPECT_EQ(holder->position + offset, position);
  }
  auto labels = All(records, rec::kLabelSst);
  ASSERT_EQ(labels.size(), texts.size());
  EXPECT_EQ(labels.back()->U32(6), 1u);  // the repeat refers to the first copy
}

TEST_F(XlsWriterTest, FontsSkipIndexFourAndXfsEncodeFillBordersAndAlignment) {
  StyleId style = StyleWith([](Style& s) {
    s.font.bold = true;
    s.font.size = 9;
    s.font.colorIndex = 12;
    s.fillColorIndex = 55;
    s.left = s.bottom = {true, 16};
    s.horizontal = HAlign::Center;
    s.vertical = VAlign::Center;
    s.wrap = true;
    s.numberFormat = "mmm-yy";
  });
  Put(2, 2, Value::Number(1)).style = style;
  auto records = Records();
  auto fonts = All(records, rec::kFont);
  ASSERT_EQ(fonts.size(), 5u);
  EXPECT_EQ(fonts[4]->U16(0), 180u);  // 9 points in twips
  EXPECT_EQ(fonts[4]->U16(6), 700u);
  EXPECT_EQ(fonts[4]->U16(4), 12u + 7);
  auto formats = All(records, rec::kFormat);
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0]->U16(0), 164u);

  auto xfs = All(records, rec::kXf);
  ASSERT_EQ(xfs.size(), 17u);
  const Record& xf = *xfs[16];
  EXPECT_EQ(xf.U16(0), 5u);  // the fifth font record is font 5: index 4 is never used
  EXPECT_EQ(xf.U16(2), 164u);
  EXPECT_EQ(xf.body[6], 0x02 | 0x08 | 0x10);  // centred, wrapped, vertically centred
  std::uint32_t lines = xf.U32(10), more = xf.U32(14);
  EXPECT_EQ(lines & 0xF, 1u);                // left thin
  EXPECT_EQ((lines >> 4) & 0xF, 0u);         // no right line
  EXPECT_EQ((lines >> 16) & 0x7F, 16u + 7);  // left colour
  EXPECT_EQ((more >> 7) & 0x7F, 16u + 7);    // bottom colour
  EXPECT_EQ(more >> 26, 1u);                 // solid fill
  EXPECT_EQ(xf.U16(18) & 0x7F, 55u + 7);     // fill colour
  auto number = All(records, rec::kNumber).at(0);
  EXPECT_EQ(number->U16(4), 16u);

  auto palette = All(records, rec::kPalette).at(0);
  EXPECT_EQ(palette->U16(0), 56u);
  EXPECT_EQ(palette->body.size(), 2u + 56 * 4);
}

TEST_F(XlsWriterTest, PageSetupPrintAreaAndWindow) {
  auto& page = sheet_->pageSetup;
  page.printArea = "A1:P50";
  page.leftMargin = page.rightMargin = 0.7 * 72;
  page.topMargin = page.bottomMargin = 0.5 * 72;
  page.headerMargin = page.footerMargin = 0;
  page.landscape = true;
  page.paperSize = 9;
  page.fitToPages = true;
  sheet_->selection = {5, 3, 5, 3};
  sheet_->activeRow = 5;
  sheet_->activeColumn = 3;
  auto records = Records();

  const Record* setup = All(records, rec::kSetup).at(0);
  EXPECT_EQ(setup->U16(0), 9u);
  EXPECT_EQ(setup->U16(6), 1u);
  EXPECT_EQ(setup->U16(8), 1u);
  EXPECT_EQ(setup->U16(10) & (biff8::kSetupPortrait | biff8::kSetupNoPls | biff8::kSetupNotes), 0u);
  EXPECT_EQ(setup->Double(16), 0.0);  // header margin
  EXPECT_EQ(setup->Double(24), 0.0);  // footer margin
  EXPECT_DOUBLE_EQ(All(records, rec::kLeftMargin).at(0)->Double(0), 0.7);
  EXPECT_DOUBLE_EQ(All(records, rec::kTopMargin).at(0)->Double(0), 0.5);
  EXPECT_TRUE(All(records, rec::kWsBool).at(0)->U16(0) & biff8::kWsBoolFitToPage);

  const Record* name = All(records, rec::kName).at(0);
  EXPECT_EQ(name->U16(0), biff8::kNameBuiltin);
  EXPECT_EQ(name->body[15], biff8::kBuiltinPrintArea);
  EXPECT_EQ(name->U16(8), 1u);  // local to the first sheet
  EXPECT_EQ(name->body[16], biff8::kPtgArea3d);
  EXPECT_EQ(name->U16(19), 0u);
  EXPECT_EQ(name->U16(21), 49u);
  EXPECT_EQ(name->U16(25), 15u);
  EXPECT_EQ(All(records, rec::kExternSheet).size(), 1u);
  EXPECT_EQ(All(records, rec::kSupBook).size(), 1u);

  const Record* selection = All(records, rec::kSelection).at(0);
  EXPECT_EQ(selection->U16(1), 4u);
  EXPECT_EQ(selection->U16(3), 2u);
  EXPECT_TRUE(All(records, rec::kWindow2).at(0)->U16(0) & biff8::kWindow2Selected);
}

TEST_F(XlsWriterTest, RowsColumnsAndFormulaResults) {
  sheet_->rowHeights[2] = 27.75;
  sheet_->rowStyles[3] = StyleWith([](Style& s) { s.font.bold = true; });
  sheet_->columnWidths[2] = 32;
  sheet_->sheetStyle = StyleWith([](Style& s) { s.fillColorIndex = 2; });
  Put(1, 1, Value::String("a"));
  Put(1, 2, Value::Number(2));
  sheet_->At(1, 3).formula = ParseFormulaR1C1("RC[-1]*2");
  sheet_->At(1, 4).formula = ParseFormulaR1C1("RC[-3]");  // a text result
  sheet_->At(1, 5).formula = ParseFormulaR1C1("1/0");
  auto records = Records();

  auto rows = All(records, rec::kRow);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]->U32(12) & biff8::kRowUnsynced, 0u);
  EXPECT_EQ(rows[1]->U16(6), 555u);
  EXPECT_TRUE(rows[1]->U32(12) & biff8::kRowUnsynced);
  EXPECT_TRUE(rows[2]->U32(12) & biff8::kRowGhostDirty);
  EXPECT_GE(rows[2]->U32(12) >> 16, 16u);

  auto columns = All(records, rec::kColInfo);
  ASSERT_EQ(columns.size(), 3u);  // A, B, then C..IV alike: every column carries the sheet's fill
  EXPECT_EQ(columns[1]->U16(4), 8374u);
  EXPECT_EQ(columns[2]->U16(2), 255u);
  EXPECT_EQ(biff8::ColumnWidthUnits(8.43), 2340u);
  EXPECT_EQ(biff8::ColumnWidthUnits(0), 0u);

  auto formulas = All(records, rec::kFormula);
  ASSERT_EQ(formulas.size(), 3u);
  EXPECT_EQ(formulas[0]->Double(6), 4.0);
  EXPECT_TRUE(formulas[0]->U16(14) & biff8::kFormulaAlwaysCalc);
  EXPECT_EQ(formulas[1]->body[6], biff8::kFormulaResultString);
  EXPECT_EQ(formulas[1]->U16(12), 0xFFFFu);
  auto strings = All(records, rec::kString);
  ASSERT_EQ(strings.size(), 1u);
  EXPECT_EQ(strings[0]->position, formulas[1]->position + 4 + formulas[1]->body.size());  // right after it
  EXPECT_EQ(formulas[2]->body[6], biff8::kFormulaResultError);
  EXPECT_EQ(formulas[2]->body[8], static_cast<std::uint8_t>(ErrorCode::Div0));

  const Record* dimensions = All(records, rec::kDimensions).at(0);
  EXPECT_EQ(dimensions->U32(4), 1u);
  EXPECT_EQ(dimensions->U16(10), 5u);
}

// Merged areas come back from the file exactly as they were: across a title row, down a
// column, a block, at the last column a sheet has, and more than one record holds.
TEST_F(XlsWriterTest, MergedAreasReadBackExactly) {
  std::vector<CellRect> many;
  for (int r = 1; r <= 1100; ++r) many.push_back({r * 2, 3, r * 2, 4});
  const std::vector<std::vector<CellRect>> cases = {
      {{1, 1, 1, 14}, {2, 2, 3, 2}, {10, 5, 12, 9}, {4, 255, 4, 256}},
      many,
  };
  for (const std::vector<CellRect>& merges : cases) {
    sheet_->merges = merges;
    for (const CellRect& m : merges) Put(m.firstRow, m.firstColumn, Value::String("merged"));
    const std::vector<std::uint8_t> file = BuildXlsFile(book_);
    const std::shared_ptr<WorkbookData> read = ReadXlsBytes(file.data(), file.size());
    ASSERT_EQ(read->sheets.size(), 1u);
    EXPECT_EQ(read->sheets[0]->merges, merges) << merges.size() << " merges";
  }
}

TEST_F(XlsWriterTest, MoreFormatsThanTheFormatHoldsAreRefused) {
  for (int i = 0; i < 4100; ++i) {
    const std::string format = "0." + std::string(i % 200, '0') + std::string(i / 200, '#');
    Put(i + 1, 1, Value::Number(i)).style = StyleWith([&](Style& s) { s.numberFormat = format; });
  }
  EXPECT_THROW(BuildWorkbookStream(book_), EngineError);
}

}  // namespace
}  // namespace tallowmere::engine

namespace tallowmere::engine {
namespace {

// CONDFMT and its CF records after the merged areas and before EOF: the range, the
// operator, the constant's tokens, and the font and fill colours as palette indexes kept
// apart where two colours share their nearest entry (the palette itself unchanged).
TEST_F(XlsWriterTest, ConditionalFormatsBecomeCondFmtAndCfRecords) {
  constexpr std::uint16_t kCondFmt = 0x01B0, kCf = 0x01B1;
  const auto palette = book_.palette;
  const auto condition = [](FormatConditionData::Operator op, const char* formula, std::uint32_t font,
                            std::uint32_t fill) {
    FormatConditionData c;
    c.op = op;
    c.formula1 = ParseFormulaR1C1(formula);
    c.fontRgb = font;
    c.fillRgb = fill;
    return c;
  };
  const CellRect row{46, 4, 46, 15};
  sheet_->conditionalFormats.push_back(
      {row,
       {condition(FormatConditionData::Operator::Less, "0", 0xFF0000, 0xFFFF00),
        condition(FormatConditionData::Operator::GreaterEqual, "5000", 0xFF0000, 0xFFFF10)}});
  auto records = Records();
  EXPECT_EQ(book_.palette, palette);
  const auto condFmt = All(records, kCondFmt);
  const auto cf = All(records, kCf);
  ASSERT_EQ(condFmt.size(), 1u);
  ASSERT_EQ(cf.size(), 2u);
  EXPECT_EQ(condFmt[0]->U16(0), 2u);  // conditions
  for (std::size_t at : {4u, 14u})    // bounds, then the one range of the list
    EXPECT_EQ(std::vector<unsigned>(
                  {condFmt[0]->U16(at), condFmt[0]->U16(at + 2), condFmt[0]->U16(at + 4), condFmt[0]->U16(at + 6)}),
              (std::vector<unsigned>{45, 45, 3, 14}));
  EXPECT_EQ(condFmt[0]->U16(12), 1u);
  EXPECT_EQ(records[records.size() - 2].id, kCf);  // then EOF
  constexpr std::size_t kFontColour = 12 + 80, kPattern = 12 + 118;
  const struct {
    unsigned op, fontIcv, fillIcv;
    std::vector<std::uint8_t> tokens;
  } expected[] = {
      {6, 3 + 7, 6 + 7, {0x1E, 0x00, 0x00}},   // red, yellow: palette entries 3 and 6
      {7, 3 + 7, 27 + 7, {0x1E, 0x88, 0x13}},  // yellow's twin 27 for the second yellow
  };
  for (std::size_t i = 0; i < 2; ++i) {
    const Record& r = *cf[i];
    EXPECT_EQ(r.body[0], 1u);
    EXPECT_EQ(r.body[1], expected[i].op);
    EXPECT_EQ(r.U16(2), expected[i].tokens.size());
    EXPECT_EQ(r.U16(4), 0u);
    EXPECT_EQ(r.U32(6) & 0x24070000u, 0x24000000u) << "font and pattern blocks, fill changed";
    EXPECT_EQ(r.U32(kFontColour), expected[i].fontIcv);
    EXPECT_EQ(r.U16(kPattern) >> 10, 1u);  // solid
    EXPECT_EQ(r.U16(kPattern + 2), expected[i].fillIcv | expected[i].fillIcv << 7);
    EXPECT_EQ(std::vector<std::uint8_t>(r.body.end() - static_cast<long>(expected[i].tokens.size()), r.body.end()),
              expected[i].tokens);
    EXPECT_EQ(r.body.size(), kPattern + 4 + expected[i].tokens.size());
  }

  // Read back: the same conditions, in the colours of the palette entries written.
  const std::vector<std::uint8_t> file = BuildXlsFile(book_);
  const auto read = ReadXlsBytes(file.data(), file.size());
  const auto& formats = read->sheets.at(0)->conditionalFormats;
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0].range, row);
  ASSERT_EQ(formats[0].conditions.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const FormatConditionData& written = sheet_->conditionalFormats[0].conditions[i];
    const FormatConditionData& back = formats[0].conditions[i];
    EXPECT_EQ(back.op, written.op);
    EXPECT_EQ(*back.formula1, *written.formula1);
    EXPECT_EQ(back.formula2, nullptr);
    EXPECT_EQ(back.fontRgb, 0xFF0000u);
    EXPECT_EQ(back.fillRgb, 0xFFFF00u);
  }
}

// A colour the palette holds keeps its own entry even when a colour named before it lies
// nearest that entry.
TEST_F(XlsWriterTest, PaletteColoursKeepTheirOwnEntries) {
  FormatConditionData nearRed, red;
  nearRed.formula1 = red.formula1 = ParseFormulaR1C1("0");
  nearRed.fontRgb = 0xFE0000;
  red.fontRgb = 0xFF0000;
  sheet_->conditionalFormats.push_back({{1, 1, 1, 1}, {nearRed, red}});
  const auto indexes = biff8::ConditionPaletteIndexes(book_, *sheet_);
  EXPECT_EQ(indexes.at(0xFF0000), 3);
  EXPECT_NE(indexes.at(0xFE0000), 3);
}

}  // namespace
}  // namespace tallowmere::engine
