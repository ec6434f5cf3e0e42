#pragma once
// Settings kept in memory only: for runs that must leave the user's store alone, and for
// benchmarks and fuzzing.

#include <map>
#include <string>

#include "platform/settings_store.h"

namespace tallowmere {

class MemoryStore : public SettingsStore {
 public:
  std::string Read(const std::string& key, const std::string& defaultValue) override {
    const auto it = values.find(key);
    return it == values.end() ? defaultValue : it->second;
  }
  void Write(const std::string& key, const std::string& value) override { values[key] = value; }

  std::map<std::string, std::string> values;
};

}  // namespace tallowmere
