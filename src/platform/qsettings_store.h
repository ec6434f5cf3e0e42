#pragma once
// The settings store kept by QSettings: organisation "Quenwick" without an application
// name, group "Tallowmere", in the platform's native format. On Linux that is the file
// $XDG_CONFIG_HOME/Quenwick.conf (~/.config/Quenwick.conf by default); on Windows the
// registry key HKCU\Software\Quenwick\Tallowmere.

#include <QSettings>
#include <memory>

#include "platform/settings_store.h"

namespace tallowmere {

class QSettingsStore : public SettingsStore {
 public:
  QSettingsStore();

  // The stored text, or defaultValue when the key is missing. A value that the native
  // format reads back as a list of texts (commas in a hand-edited file) comes back as the
  // list joined with ", ".
  std::string Read(const std::string& key, const std::string& defaultValue) override;
  // Writes the value and flushes the store at once; throws std::runtime_error naming the
  // file when it cannot be written.
  void Write(const std::string& key, const std::string& value) override;

  // Where the store lives (a file path or a registry path).
  std::string Location() const;

 private:
  // QSettings keeps its first failure as its status for good, so a write after a failure
  // opens the store afresh: it succeeds once the file can be written again.
  void Reopen();

  std::unique_ptr<QSettings> settings_;
};

}  // namespace tallowmere
