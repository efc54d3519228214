#include "qt/QtUserDefaults.h"

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

bool QtUserDefaults::set(const std::string& key, const std::string& value) {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  settings.setValue(qtKey(key), QString::fromStdString(value));
  // Written at once: a stored path must survive a crash of the next command, and a file that
  // cannot be written must be known while the user can still act on it.
  settings.sync();
  return reportFailure(settings);
}

void QtUserDefaults::remove(const std::string& key) {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  settings.remove(qtKey(key));
  settings.sync();
  reportFailure(settings);
}

bool QtUserDefaults::reportFailure(const QSettings& settings) const {
  if (settings.status() == QSettings::NoError) return true;
  if (report_) report_("The settings could not be written to " + settings.fileName().toStdString());
  return false;
}

}  // namespace molbench::qt
