#pragma once
// Template items for the command line: a list file read as stored names, and a view of
// the settings store that is only ever read.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace tallowmere::cli {

// The longest text a field of the window and a cell hold, in UTF-16 units: the longest
// company or item name the command line takes.
inline constexpr std::size_t kMaxTextLength = 32767;

// The names in path, one per line: UTF-8, a leading byte-order mark and the CR of CR LF
// line ends dropped, empty lines skipped. Throws std::runtime_error for an unreadable
// file, one without names or one with more names than the table holds.
std::vector<std::string> ReadItemNames(const std::string& path);

// Reads from base, except for the keys set here; refuses every write, so that nothing the
// command line does can change the user's settings.
class ReadOnlyStore : public SettingsStore {
 public:
  explicit ReadOnlyStore(SettingsStore& base) : base_(base) {}

  // Makes the store answer names as a saved template table.
  void OverlayItems(const std::vector<std::string>& names);

  std::string Read(const std::string& key, const std::string& defaultValue) override;
  void Write(const std::string& key, const std::string& value) override;

 private:
  SettingsStore& base_;
  std::map<std::string, std::string> overlay_;
};

}  // namespace tallowmere::cli
