#pragma once
// An in-memory settings store that records the order of writes and can be told to fail.

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace tallowmere::testing {

class MemorySettingsStore : public SettingsStore {
 public:
  std::string Read(const std::string& key, const std::string& defaultValue) override {
    auto it = values.find(key);
    return it == values.end() ? defaultValue : it->second;
  }
  void Write(const std::string& key, const std::string& value) override {
    if (failingKeys.count(key)) throw std::runtime_error("Cannot write " + key);
    values[key] = value;
    writes.push_back(key);
  }

  std::map<std::string, std::string> values;
  std::vector<std::string> writes;      // keys in the order written
  std::set<std::string> failingKeys;    // writes of these keys throw
};

}  // namespace tallowmere::testing
