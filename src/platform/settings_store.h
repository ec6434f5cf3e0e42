#pragma once
// The per-user settings store: texts addressed by key, always within application key
// "Quenwick" and section "Tallowmere".

#include <string>

namespace tallowmere {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text of key, or defaultValue when the key is missing.
  virtual std::string Read(const std::string& key, const std::string& defaultValue) = 0;
  // Creates or replaces key. Throws std::runtime_error when the store cannot be written.
  // A store may keep writes in memory until Flush.
  virtual void Write(const std::string& key, const std::string& value) = 0;
  // Makes every write so far permanent. Throws std::runtime_error when that fails. Stores
  // that write through at once have nothing to do.
  virtual void Flush() {}
};

}  // namespace tallowmere
