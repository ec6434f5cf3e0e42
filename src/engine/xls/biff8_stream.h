#pragma once
// Building the bytes of a BIFF8 workbook stream: little-endian fields, Unicode strings
// and records, with bodies longer than a record allows continued in CONTINUE records.

#include <cstdint>
#include <string>
#include <vector>

namespace tallowmere::engine::biff8 {

// True when every code unit fits the compressed (8-bit) string form.
bool IsCompressible(const std::u16string& text);

// A record body under construction.
class ByteBuffer {
 public:
  ByteBuffer& U8(std::uint8_t v);
  ByteBuffer& U16(std::uint16_t v);
  ByteBuffer& U32(std::uint32_t v);
  ByteBuffer& Double(double v);
  ByteBuffer& Bytes(const std::vector<std::uint8_t>& bytes);
  ByteBuffer& Zeros(std::size_t count);
  // The characters of text with the option byte before them (compressed when possible).
  ByteBuffer& StringChars(const std::u16string& text);
  // XLUnicodeString: 16-bit character count, options, characters.
  ByteBuffer& String16(const std::u16string& text);
  // ShortXLUnicodeString: 8-bit character count, options, characters (at most 255).
  ByteBuffer& String8(const std::u16string& text);

  const std::vector<std::uint8_t>& Data() const { return data_; }
  std::size_t Size() const { return data_.size(); }

 private:
  std::vector<std::uint8_t> data_;
};

// The workbook stream: records one after the other.
class RecordStream {
 public:
  // Appends a record; a body over the record limit goes on in CONTINUE records.
  void Write(std::uint16_t id, const ByteBuffer& body);
  void Write(std::uint16_t id, const std::vector<std::uint8_t>& body);
  // Overwrites 4 bytes at offset (a stream position known only later).
  void Patch32(std::size_t offset, std::uint32_t value);
  void PadTo(std::size_t size);  // zero bytes after the last record

  std::size_t Position() const { return data_.size(); }
  const std::vector<std::uint8_t>& Data() const { return data_; }
  std::vector<std::uint8_t>& Data() { return data_; }

 private:
  void Header(std::uint16_t id, std::size_t size);
  std::vector<std::uint8_t> data_;
};

}  // namespace tallowmere::engine::biff8
