#include "platform/qt/qsettings_store.h"

#include <QStringList>
#include <stdexcept>

namespace tallowmere {
namespace {

constexpr const char* kOrganisation = "Quenwick";
constexpr const char* kSection = "Tallowmere";

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

std::string TextOf(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
  return value.toString().toStdString();
}

}  // namespace

QSettingsStore::QSettingsStore() { Reopen(); }

void QSettingsStore::Reopen() {
#ifdef Q_OS_WIN
  // Without an application name the registry form would be ...\Quenwick\OrganizationDefaults;
  // the section belongs directly under the organisation's key.
  settings_ = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + kOrganisation,
                                          QSettings::NativeFormat);
#else
  settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation);
#endif
  settings_->beginGroup(kSection);
}

std::string QSettingsStore::Read(const std::string& key, const std::string& defaultValue) {
  const QString name = ToQString(key);
  if (!settings_->contains(name)) return defaultValue;
  return TextOf(settings_->value(name));
}

void QSettingsStore::ReopenIfFailed() {
  if (settings_->status() != QSettings::NoError) Reopen();
}

void QSettingsStore::Write(const std::string& key, const std::string& value) {
  ReopenIfFailed();
  // The check opens the file (or a scratch file beside it) and nothing more, so each write
  // still reports an unwritable store at once without paying for a rewrite of the file.
  if (!settings_->isWritable()) ThrowUnwritable();
  settings_->setValue(ToQString(key), ToQString(value));
  pending_ = true;
}

void QSettingsStore::Flush() {
  // Nothing set since the last flush: nothing to write, and every refused write has been
  // reported already.
  if (!pending_) return;
  ReopenIfFailed();
  settings_->sync();
  if (settings_->status() != QSettings::NoError) ThrowUnwritable();
  pending_ = false;
}

void QSettingsStore::ThrowUnwritable() const {
  throw std::runtime_error("The settings could not be written to " + Location() + ".");
}

std::string QSettingsStore::Location() const { return settings_->fileName().toStdString(); }

}  // namespace tallowmere
