#pragma once
// The settings store of the windowed program (see qt/qsettings_store.h) read without Qt,
// for the command line: loading QtCore would cost more than a whole run's work. It reads
// the INI files that QSettings keeps on Linux: sections, escaped keys, quoted and escaped
// texts and comma-separated lists of texts. A value in one of QSettings' typed forms
// ("@Variant(...)" and the like) is refused with a message instead of being guessed at.

#include <map>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace tallowmere {

class ConfFileStore : public SettingsStore {
 public:
  // The store read from files: the first holds the user's values, each later one values
  // for the keys the earlier ones lack. A file that does not exist holds nothing. Throws
  // std::runtime_error naming a file that exists but cannot be read.
  explicit ConfFileStore(const std::vector<std::string>& files);

  // Where QSettings keeps the store: the user's file, then the system-wide one.
  static std::vector<std::string> StandardFiles();

  // As QSettingsStore reads it: a list of texts comes back joined with ", ". Throws
  // std::runtime_error naming the key and the file when the value is in a typed form.
  std::string Read(const std::string& key, const std::string& defaultValue) override;
  // Throws std::runtime_error: this store is only read.
  void Write(const std::string& key, const std::string& value) override;

 private:
  struct Entry {
    std::string raw;   // the value as the file spells it
    std::string file;  // the file it came from, for messages
  };
  std::map<std::string, Entry> entries_;  // by section/key, keys unescaped
};

}  // namespace tallowmere
