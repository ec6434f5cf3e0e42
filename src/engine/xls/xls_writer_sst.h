#pragma once
// The shared string table of a BIFF8 workbook: SST (continued in CONTINUE records as
// its size demands) and the EXTSST index that points into it.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/xls/biff8_stream.h"

namespace tallowmere::engine::biff8 {

class SharedStrings {
 public:
  // The index of text in the table, added on first use; every call counts one reference.
  std::uint32_t Add(const std::string& text);
  std::size_t Count() const { return strings_.size(); }
  // The index of a text added before.
  std::uint32_t IndexOf(const std::string& text) const { return index_.at(text); }

  // Writes SST and its CONTINUE records, then EXTSST, at the stream's current position.
  void Write(RecordStream& out) const;

 private:
  std::vector<std::u16string> strings_;
  std::unordered_map<std::string, std::uint32_t> index_;
  std::uint32_t references_ = 0;
};

}  // namespace tallowmere::engine::biff8
