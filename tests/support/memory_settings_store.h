#pragma once
// An in-memory settings store that records the order of writes and flushes and can be
// told to fail reads, writes or flushes.

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/memory_store.h"

namespace tallowmere::testing {

class MemorySettingsStore : public MemoryStore {
 public:
  std::string Read(const std::string& key, const std::string& defaultValue) override {
    if (failingReads.count(key)) throw std::runtime_error("Cannot read " + key);
    return MemoryStore::Read(key, defaultValue);
  }
  void Write(const std::string& key, const std::string& value) override {
    if (failingKeys.count(key)) throw std::runtime_error("Cannot write " + key);
    MemoryStore::Write(key, value);
    writes.push_back(key);
    unflushed.insert(key);
  }
  void Flush() override {
    ++flushes;
    if (failFlush) throw std::runtime_error("Cannot flush");
    unflushed.clear();
  }

  std::vector<std::string> writes;     // keys in the order written
  std::set<std::string> failingKeys;   // writes of these keys throw
  std::set<std::string> failingReads;  // reads of these keys throw
  std::set<std::string> unflushed;     // keys written since the last flush that succeeded
  int flushes = 0;
  bool failFlush = false;  // flushes throw
};

}  // namespace tallowmere::testing
