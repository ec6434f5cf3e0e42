#include "engine/xls/xls_writer_sst.h"

#include <algorithm>

#include "engine/xls/biff8_records.h"
#include "text/unicode.h"

namespace tallowmere::engine::biff8 {
namespace {

// Lays the strings out in an SST record and as many CONTINUE records as needed. A
// string's count and option bytes never leave their record; its characters may go on
// in the next record, which then begins with the option byte again.
class SstLayout {
 public:
  SstLayout(RecordStream& out, std::uint32_t references, std::uint32_t unique) : out_(out) {
    body_.U32(references).U32(unique);
  }

  struct Place {
    std::uint32_t streamPosition;  // of the string's first byte
    std::uint16_t recordOffset;    // from the start of its record, header included
  };

  Place AddString(const std::u16string& text) {
    const bool compressed = IsCompressible(text);
    const std::size_t charSize = compressed ? 1 : 2;
    if (Room() < 3 + charSize) Flush();
    Place place{static_cast<std::uint32_t>(out_.Position() + 4 + body_.Size()),
                static_cast<std::uint16_t>(4 + body_.Size())};
    body_.U16(static_cast<std::uint16_t>(text.size())).U8(compressed ? 0x00 : 0x01);
    std::size_t next = 0;
    while (true) {
      std::size_t fits = std::min(text.size() - next, Room() / charSize);
      for (std::size_t i = 0; i < fits; ++i, ++next) {
        compressed ? body_.U8(static_cast<std::uint8_t>(text[next])) : body_.U16(text[next]);
      }
      if (next == text.size()) break;
      Flush();
      body_.U8(compressed ? 0x00 : 0x01);
    }
    return place;
  }

  void Finish() { Flush(); }

 private:
  std::size_t Room() const { return kMaxRecordData - body_.Size(); }
  void Flush() {
    out_.Write(first_ ? rec::kSst : rec::kContinue, body_);
    first_ = false;
    body_ = ByteBuffer();
  }

  RecordStream& out_;
  ByteBuffer body_;
  bool first_ = true;
};

}  // namespace

std::uint32_t SharedStrings::Add(const std::string& text) {
  ++references_;
  auto [it, inserted] = index_.try_emplace(text, static_cast<std::uint32_t>(strings_.size()));
  if (inserted) strings_.push_back(ToUtf16(text).substr(0, 32767));
  return it->second;
}

void SharedStrings::Write(RecordStream& out) const {
  // EXTSST indexes every bucket's first string; at most 128 buckets, at least 8 strings each.
  const std::size_t perBucket = std::max<std::size_t>(8, (strings_.size() + 127) / 128);
  SstLayout layout(out, references_, static_cast<std::uint32_t>(strings_.size()));
  ByteBuffer ext;
  ext.U16(static_cast<std::uint16_t>(perBucket));
  for (std::size_t i = 0; i < strings_.size(); ++i) {
    auto place = layout.AddString(strings_[i]);
    if (i % perBucket == 0) ext.U32(place.streamPosition).U16(place.recordOffset).U16(0);
  }
  layout.Finish();
  out.Write(rec::kExtSst, ext);
}

}  // namespace tallowmere::engine::biff8
