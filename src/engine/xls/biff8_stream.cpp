#include "engine/xls/biff8_stream.h"

#include <algorithm>
#include <cstring>

#include "engine/xls/biff8_records.h"

namespace tallowmere::engine::biff8 {

bool IsCompressible(const std::u16string& text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
}

ByteBuffer& ByteBuffer::U8(std::uint8_t v) {
  data_.push_back(v);
  return *this;
}
ByteBuffer& ByteBuffer::U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
ByteBuffer& ByteBuffer::U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
ByteBuffer& ByteBuffer::Double(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
}
ByteBuffer& ByteBuffer::Bytes(const std::vector<std::uint8_t>& bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}
ByteBuffer& ByteBuffer::Zeros(std::size_t count) {
  data_.insert(data_.end(), count, 0);
  return *this;
}
ByteBuffer& ByteBuffer::StringChars(const std::u16string& text) {
  const bool compressed = IsCompressible(text);
  U8(compressed ? 0x00 : 0x01);
  for (char16_t c : text) compressed ? U8(static_cast<std::uint8_t>(c)) : U16(c);
  return *this;
}
ByteBuffer& ByteBuffer::String16(const std::u16string& text) {
  return U16(static_cast<std::uint16_t>(text.size())).StringChars(text);
}
ByteBuffer& ByteBuffer::String8(const std::u16string& text) {
  return U8(static_cast<std::uint8_t>(text.size())).StringChars(text);
}

void RecordStream::Header(std::uint16_t id, std::size_t size) {
  data_.push_back(id & 0xFF);
  data_.push_back(id >> 8);
  data_.push_back(size & 0xFF);
  data_.push_back((size >> 8) & 0xFF);
}

void RecordStream::Write(std::uint16_t id, const std::vector<std::uint8_t>& body) {
  std::size_t offset = 0;
  do {
    std::size_t size = std::min(body.size() - offset, kMaxRecordData);
    Header(offset == 0 ? id : rec::kContinue, size);
    data_.insert(data_.end(), body.begin() + offset, body.begin() + offset + size);
    offset += size;
  } while (offset < body.size());
}

void RecordStream::Write(std::uint16_t id, const ByteBuffer& body) { Write(id, body.Data()); }

void RecordStream::Patch32(std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) data_.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

void RecordStream::PadTo(std::size_t size) {
  if (data_.size() < size) data_.resize(size, 0);
}

}  // namespace tallowmere::engine::biff8
