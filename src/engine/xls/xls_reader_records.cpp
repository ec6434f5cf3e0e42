#include "engine/xls/xls_reader_records.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/core/engine_error.h"
#include "text/unicode.h"

namespace tallowmere::engine::xls {
namespace {

constexpr std::uint16_t kContinue = 0x003C;
constexpr std::size_t kHeaderSize = 4;

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

void Damaged(const std::string& what) { throw EngineError("The workbook is damaged: " + what + "."); }

RecordStream::RecordStream(const std::vector<std::uint8_t>& stream, std::size_t start)
    : stream_(stream), position_(std::min(start, stream.size())) {}

bool RecordStream::Next(Record& record) {
  if (position_ >= stream_.size()) return false;
  if (stream_.size() - position_ < kHeaderSize) Damaged("a record header is cut off at the end of the stream");
  record.id = ReadU16(&stream_[position_]);
  record.offset = position_;
  record.data.clear();
  record.continuations.clear();
  bool first = true;
  while (first || (stream_.size() - position_ >= kHeaderSize && ReadU16(&stream_[position_]) == kContinue)) {
    const std::size_t length = ReadU16(&stream_[position_ + 2]);
    position_ += kHeaderSize;
    if (length > stream_.size() - position_) Damaged("a record is longer than the rest of the stream");
    if (!first) record.continuations.push_back(record.data.size());
    record.data.insert(record.data.end(), stream_.begin() + static_cast<std::ptrdiff_t>(position_),
                       stream_.begin() + static_cast<std::ptrdiff_t>(position_ + length));
    position_ += length;
    first = false;
  }
  return true;
}

void RecordCursor::Need(std::size_t count) const {
  if (count > Remaining()) Damaged("a record is shorter than its contents");
}

std::uint8_t RecordCursor::U8() {
  Need(1);
  return record_.data[position_++];
}

std::uint16_t RecordCursor::U16() {
  Need(2);
  const std::uint16_t value = ReadU16(Here());
  position_ += 2;
  return value;
}

std::uint32_t RecordCursor::U32() {
  const std::uint32_t low = U16();
  return low | (static_cast<std::uint32_t>(U16()) << 16);
}

double RecordCursor::F64() {
  const std::uint64_t low = U32();
  const std::uint64_t bits = low | (static_cast<std::uint64_t>(U32()) << 32);
  return std::bit_cast<double>(bits);
}

void RecordCursor::Skip(std::size_t count) {
  Need(count);
  position_ += count;
}

std::size_t RecordCursor::NextBoundary() const {
  auto next = std::upper_bound(record_.continuations.begin(), record_.continuations.end(), position_);
  return next == record_.continuations.end() ? record_.data.size() : *next;
}

std::string RecordCursor::Characters(std::size_t count) {
  std::uint8_t flags = U8();
  const std::size_t runs = (flags & 0x08) ? U16() : 0;
  const std::size_t phonetic = (flags & 0x04) ? U32() : 0;
  std::u16string units;
  units.reserve(std::min(count, Remaining()));
  std::size_t left = count;
  while (left > 0) {
    if (std::binary_search(record_.continuations.begin(), record_.continuations.end(), position_)) {
      flags = U8();  // a string continued in a CONTINUE record restates its width
    }
    const std::size_t width = (flags & 0x01) ? 2 : 1;
    const std::size_t available = (NextBoundary() - position_) / width;
    if (available == 0) Damaged("a string is longer than its record");
    const std::size_t take = std::min(left, available);
    for (std::size_t i = 0; i < take; ++i) {
      units.push_back(width == 2 ? ReadU16(Here() + 2 * i) : Here()[i]);
    }
    position_ += take * width;
    left -= take;
  }
  Skip(4 * runs);
  Skip(phonetic);
  return ToUtf8(units);
}

NameHeader ReadNameHeader(RecordCursor& cursor) {
  NameHeader header;
  header.flags = cursor.U16();
  cursor.Skip(1);  // keyboard shortcut
  header.nameLength = cursor.U8();
  header.formulaSize = cursor.U16();
  cursor.Skip(2);
  header.sheetIndex = cursor.U16();
  cursor.Skip(4);  // menu, description, help and status text lengths
  return header;
}

}  // namespace tallowmere::engine::xls
