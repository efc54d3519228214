#include "qt/QtUserDefaults.h"

#include <QSettings>
#include <QStandardPaths>

namespace molbench::qt {

namespace {

QString qtKey(const std::string& key) { return QString::fromStdString(key); }

}  // namespace

QString QtUserDefaults::settingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Molbench/Molbench.conf");
}

std::optional<std::string> QtUserDefaults::stringForKey(const std::string& key) const {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  QVariant value = settings.value(qtKey(key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtUserDefaults::set(const std::string& key, const std::string& value) {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  settings.setValue(qtKey(key), QString::fromStdString(value));
  // Written at once: a stored path must survive a crash of the next command.
  settings.sync();
}

void QtUserDefaults::remove(const std::string& key) {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  settings.remove(qtKey(key));
  settings.sync();
}

}  // namespace molbench::qt
