#pragma once
// The record layer of the BIFF8 reader: splits a workbook stream into records (joining
// each record with the CONTINUE records that carry its overflow) and reads the fields of
// one record with every length checked against the bytes that are really there.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tallowmere::engine {
class WorkbookData;
}

namespace tallowmere::engine::xls {

// A workbook from the bytes of its "Workbook" stream (the compound document already
// opened). Throws EngineError for anything it cannot read.
std::shared_ptr<WorkbookData> ReadWorkbookStream(const std::vector<std::uint8_t>& stream);

// Throws EngineError "The workbook is damaged: <what>".
[[noreturn]] void Damaged(const std::string& what);

struct Record {
  std::uint16_t id = 0;
  std::size_t offset = 0;                  // of the record header in the stream
  std::vector<std::uint8_t> data;          // payload, CONTINUE payloads appended
  std::vector<std::size_t> continuations;  // offsets in data where a CONTINUE payload begins
};

class RecordStream {
 public:
  RecordStream(const std::vector<std::uint8_t>& stream, std::size_t start);
  // The next record; false at the end of the stream. Throws for a header or a length
  // that runs past the end.
  bool Next(Record& record);
  std::size_t Size() const { return stream_.size(); }
  std::size_t Position() const { return position_; }

 private:
  const std::vector<std::uint8_t>& stream_;
  std::size_t position_;
};

class RecordCursor {
 public:
  explicit RecordCursor(const Record& record) : record_(record) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  double F64();
  void Skip(std::size_t count);
  std::size_t Remaining() const { return record_.data.size() - position_; }
  const std::uint8_t* Here() const { return record_.data.data() + position_; }

  // Strings as BIFF8 stores them (UTF-8 out): the character count in one or two bytes,
  // then the option flags, rich-text and phonetic extras skipped.
  std::string ShortString() { return Characters(U8()); }
  std::string LongString() { return Characters(U16()); }
  // The flags byte and the characters of a string whose count was already read. A
  // string split by a CONTINUE record starts its next part with a fresh flags byte.
  std::string Characters(std::size_t count);

 private:
  void Need(std::size_t count) const;
  std::size_t NextBoundary() const;

  const Record& record_;
  std::size_t position_ = 0;
};

// The fixed fields of a NAME record, read up to the name's characters.
struct NameHeader {
  std::uint16_t flags = 0;
  std::size_t nameLength = 0;   // characters
  std::size_t formulaSize = 0;  // bytes of the tokens after the name
  std::size_t sheetIndex = 0;   // 1-based; 0 for a name of the workbook
};
NameHeader ReadNameHeader(RecordCursor& cursor);

}  // namespace tallowmere::engine::xls
