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
  // Sets the value in memory once the store is found writable; throws std::runtime_error
  // naming the file, and sets nothing, when it is not. The file is rewritten by Flush, or
  // at the latest when the store is destroyed.
  void Write(const std::string& key, const std::string& value) override;
  // Writes every pending value to the file; throws std::runtime_error naming the file when
  // that fails. Rewriting the file costs a disk sync, so a sequence of writes flushes once.
  void Flush() override;

  // Where the store lives (a file path or a registry path).
  std::string Location() const;

 private:
  // QSettings keeps its first failure as its status for good, so a write after a failure
  // opens the store afresh: it succeeds once the file can be written again. QSettings keeps
  // the values waiting for a write per file, and the new store opens before the old one
  // closes, so values set before the failure are written by the next flush.
  void Reopen();
  // Reopens the store after an earlier failure; see Reopen.
  void ReopenIfFailed();
  [[noreturn]] void ThrowUnwritable() const;

  std::unique_ptr<QSettings> settings_;
  bool pending_ = false;  // values set since the last flush that succeeded
};

}  // namespace tallowmere
