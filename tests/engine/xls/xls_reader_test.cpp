// The BIFF8 reader on hand-made workbook streams: every kind of cell record, shared
// strings split across CONTINUE records, formats, and damaged or foreign files, each of
// which must give a clear EngineError rather than a crash or a huge allocation.
#include "engine/xls/xls_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "engine/core/engine_error.h"
#include "engine/xls/xls_reader_stream.h"

namespace tallowmere::engine {
namespace {

using testing::AppendRecord;
using testing::Bytes;
using testing::RecordBytes;

class XlsReaderTest : public ::testing::Test {
 protected:
  std::string PathFor(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / ("tm-reader-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    created_.push_back(dir);
    return (dir / name).string();
  }
  void TearDown() override {
    for (const auto& dir : created_) std::filesystem::remove_all(dir);
  }
  std::string WriteWorkbook(const Bytes& stream, const std::string& streamName = "Workbook") {
    const std::string path = PathFor("book.xls");
    EXPECT_TRUE(testing::WriteCompoundFile(path, {{streamName, stream}}));
    return path;
  }
  // The error text of opening path, "" when it opened.
  std::string OpenError(const std::string& path) {
    try {
      ReadXls(path);
    } catch (const EngineError& error) {
      return error.what();
    }
    return "";
  }

  std::vector<std::filesystem::path> created_;
};

// One SST of two strings, the second split over a CONTINUE record that switches it from
// 8-bit to 16-bit characters, as writers do for strings that cross a record boundary.
Bytes SplitSharedStrings() {
  RecordBytes sst;
  sst.U32(2).U32(2).U16(4).Latin1("Rent").U16(6).U8(0).U8('C').U8('a').U8('s');
  RecordBytes rest;
  rest.U8(1).U16(u'h').U16(0x20AC).U16(u'!');  // "h€!" in 16-bit characters
  Bytes records;
  AppendRecord(records, 0x00FC, sst);
  AppendRecord(records, 0x003C, rest);
  return records;
}

TEST_F(XlsReaderTest, ReadsEveryCellRecordAndTheFormatsTheyUse) {
  Bytes stream = testing::GlobalsWithOneSheet(SplitSharedStrings());
  AppendRecord(stream, 0x00FD, RecordBytes().U16(1).U16(1).U16(15).U32(1));                  // B2 "Cash€!"
  AppendRecord(stream, 0x0204, RecordBytes().U16(1).U16(2).U16(15).U16(3).Latin1("abc"));    // C2 LABEL
  AppendRecord(stream, 0x0203, RecordBytes().U16(2).U16(1).U16(16).F64(1234.5));             // B3 NUMBER
  AppendRecord(stream, 0x027E, RecordBytes().U16(2).U16(2).U16(15).U32((12345u << 2) | 3));  // C3 RK 123.45
  AppendRecord(stream, 0x00BD, RecordBytes().U16(3).U16(1).U16(15).U32((7u << 2) | 2).U16(15).U32(0x3FF00000).U16(2));
  AppendRecord(stream, 0x00BE, RecordBytes().U16(4).U16(1).U16(16).U16(16).U16(2));  // B5:C5 formatted blanks
  AppendRecord(stream, 0x0205, RecordBytes().U16(5).U16(1).U16(15).U8(1).U8(0));     // B6 TRUE
  AppendRecord(stream, 0x0205, RecordBytes().U16(5).U16(2).U16(15).U8(0x07).U8(1));  // C6 #DIV/0!
  // D2: a formula with a string result carried by the STRING record that follows it.
  AppendRecord(stream, 0x0006,
               RecordBytes().U16(1).U16(3).U16(15).U32(0).U32(0xFFFF0000).U16(0).U32(0).U16(3).U8(0x1E).U16(7));
  AppendRecord(stream, 0x0207, RecordBytes().U16(2).Latin1("ok"));
  AppendRecord(stream, 0x00E5, RecordBytes().U16(1).U16(6).U16(7).U16(1).U16(3));  // B7:D8
  AppendRecord(stream, 0x000A, RecordBytes());

  const auto workbook = ReadXls(WriteWorkbook(stream));
  ASSERT_EQ(workbook->sheets.size(), 1u);
  const SheetData& sheet = *workbook->sheets[0];
  EXPECT_EQ(sheet.name, "CashFlow");
  auto value = [&](int row, int column) { return sheet.Find(row, column) ? sheet.Find(row, column)->value : Value{}; };
  EXPECT_EQ(value(2, 2), Value::String("Cash\xE2\x82\xAC!"));
  EXPECT_EQ(value(2, 3), Value::String("abc"));
  EXPECT_EQ(value(3, 2), Value::Number(1234.5));
  EXPECT_EQ(value(3, 3), Value::Number(123.45));
  EXPECT_EQ(value(4, 2), Value::Number(7));
  EXPECT_EQ(value(4, 3), Value::Number(1.0));
  EXPECT_EQ(value(6, 2), Value::Boolean(true));
  EXPECT_EQ(value(6, 3), Value::Error(ErrorCode::Div0));
  EXPECT_EQ(value(2, 4), Value::String("ok"));
  ASSERT_NE(sheet.Find(2, 4)->formula, nullptr);
  EXPECT_EQ(PrintR1C1(*sheet.Find(2, 4)->formula), "7");

  ASSERT_NE(sheet.Find(5, 3), nullptr);
  EXPECT_FALSE(sheet.Find(5, 3)->HasContent());
  const Style& filled = workbook->styles.Get(sheet.Find(5, 3)->style);
  EXPECT_EQ(filled.numberFormat, "#,##0");
  EXPECT_EQ(filled.fillColorIndex, 43);
  EXPECT_EQ(filled.horizontal, HAlign::Center);
  EXPECT_EQ(filled.vertical, VAlign::Center);
  EXPECT_EQ(filled.left, (BorderSide{true, 16}));
  EXPECT_EQ(filled.bottom, (BorderSide{true, 16}));
  EXPECT_EQ(sheet.Find(2, 2)->style, 0u) << "the default cell XF is the default style";
  ASSERT_EQ(sheet.merges.size(), 1u);
  EXPECT_EQ(sheet.merges[0], (CellRect{7, 2, 8, 4}));
}

TEST_F(XlsReaderTest, RefusesMissingForeignAndOlderFilesWithAClearMessage) {
  EXPECT_NE(OpenError(PathFor("absent.xls")).find("Cannot open"), std::string::npos);

  const std::string empty = PathFor("empty.xls");
  std::ofstream(empty).close();
  EXPECT_NE(OpenError(empty).find("not an Excel workbook"), std::string::npos);

  const std::string text = PathFor("notes.xls");
  std::ofstream(text) << "Month,Cash\nJan,100\n";
  EXPECT_NE(OpenError(text).find("not an Excel workbook"), std::string::npos);

  const std::string zip = PathFor("newer.xls");
  std::ofstream(zip, std::ios::binary) << std::string("PK\x03\x04", 4) << std::string(600, '\0');
  EXPECT_NE(OpenError(zip).find(".xlsx"), std::string::npos);

  const std::string random = PathFor("noise.xls");
  std::mt19937 generator(7);
  std::ofstream noise(random, std::ios::binary);
  for (int i = 0; i < 20000; ++i) noise.put(static_cast<char>(generator()));
  noise.close();
  EXPECT_FALSE(OpenError(random).empty());

  EXPECT_NE(OpenError(WriteWorkbook(Bytes{1, 2, 3}, "WordDocument")).find("no workbook stream"), std::string::npos);
  EXPECT_NE(OpenError(WriteWorkbook(Bytes{1, 2, 3}, "Book")).find("BIFF5"), std::string::npos);
}

TEST_F(XlsReaderTest, DamagedStreamsGiveAnErrorInsteadOfACrash) {
  const Bytes good = [] {
    Bytes s = testing::GlobalsWithOneSheet({});
    AppendRecord(s, 0x0203, RecordBytes().U16(1).U16(1).U16(15).F64(1));
    AppendRecord(s, 0x000A, RecordBytes());
    return s;
  }();
  ASSERT_EQ(OpenError(WriteWorkbook(good)), "");

  // Cut anywhere: an error, never a crash (a cut right after a complete record still
  // misses the sheet's EOF).
  for (std::size_t cut : {std::size_t{3}, std::size_t{30}, good.size() / 2, good.size() - 3}) {
    const Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_NE(OpenError(WriteWorkbook(truncated)).find("damaged"), std::string::npos) << "cut at " << cut;
  }

  Bytes hugeCount = testing::GlobalsWithOneSheet([] {
    Bytes records;
    AppendRecord(records, 0x00FC, RecordBytes().U32(0x80000000u).U32(0x80000000u).U16(1).Latin1("x"));
    return records;
  }());
  AppendRecord(hugeCount, 0x000A, RecordBytes());
  EXPECT_NE(OpenError(WriteWorkbook(hugeCount)).find("fewer strings"), std::string::npos);

  Bytes pastEnd = testing::GlobalsWithOneSheet({});
  AppendRecord(pastEnd, 0x0203, RecordBytes().U16(1).U16(1).U16(15).F64(1).data, 5000);
  EXPECT_NE(OpenError(WriteWorkbook(pastEnd)).find("longer than the rest"), std::string::npos);

  Bytes wideColumn = testing::GlobalsWithOneSheet({});
  AppendRecord(wideColumn, 0x0203, RecordBytes().U16(1).U16(300).U16(15).F64(1));
  AppendRecord(wideColumn, 0x000A, RecordBytes());
  EXPECT_NE(OpenError(WriteWorkbook(wideColumn)).find("last column"), std::string::npos);

  Bytes badString = testing::GlobalsWithOneSheet({});
  AppendRecord(badString, 0x0204, RecordBytes().U16(1).U16(1).U16(15).U16(60000).Latin1("short"));
  AppendRecord(badString, 0x000A, RecordBytes());
  EXPECT_NE(OpenError(WriteWorkbook(badString)).find("string is longer"), std::string::npos);

  // A sheet said to start inside the globals would be read over and over by a careless reader.
  Bytes overlapping = good;
  for (std::size_t i = 0; i + 8 < overlapping.size(); ++i) {
    if (overlapping[i] == 0x85 && overlapping[i + 1] == 0x00) {
      std::fill_n(overlapping.begin() + static_cast<std::ptrdiff_t>(i + 4), 4, 0);
      break;
    }
  }
  EXPECT_NE(OpenError(WriteWorkbook(overlapping)).find("overlap"), std::string::npos);

  Bytes missingString = testing::GlobalsWithOneSheet({});
  AppendRecord(missingString, 0x00FD, RecordBytes().U16(1).U16(1).U16(15).U32(9));
  AppendRecord(missingString, 0x000A, RecordBytes());
  EXPECT_NE(OpenError(WriteWorkbook(missingString)).find("shared string"), std::string::npos);
}

// The root entry of a compound document never has siblings. libgsf reads one anyway and
// loses it (a leak suppressed in scripts/lsan.supp); under the leak-checking suite this
// shows that the suppression still holds and that nothing of ours leaks beside it.
TEST_F(XlsReaderTest, RootEntryWithASiblingIsRefused) {
  Bytes stream = testing::GlobalsWithOneSheet({});
  AppendRecord(stream, 0x000A, RecordBytes());
  const std::string path = WriteWorkbook(stream);
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  std::uint32_t directorySector = 0;
  file.seekg(0x30);
  file.read(reinterpret_cast<char*>(&directorySector), 4);
  const std::uint32_t workbookEntry = 1;           // the root's child, now its sibling as well
  file.seekp(512 * (directorySector + 1) + 0x44);  // the root entry's left sibling
  file.write(reinterpret_cast<const char*>(&workbookEntry), 4);
  file.close();
  EXPECT_NE(OpenError(path).find("no workbook stream"), std::string::npos);
}

TEST_F(XlsReaderTest, ReadsMemoryImagesOfWholeFiles) {
  Bytes stream = testing::GlobalsWithOneSheet({});
  AppendRecord(stream, 0x000A, RecordBytes());
  std::ifstream file(WriteWorkbook(stream), std::ios::binary);
  const Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(ReadXlsBytes(bytes.data(), bytes.size())->sheets.size(), 1u);
  EXPECT_THROW(ReadXlsBytes(bytes.data(), 100), EngineError);
  EXPECT_THROW(ReadXlsBytes(nullptr, 0), EngineError);
}

}  // namespace
}  // namespace tallowmere::engine
