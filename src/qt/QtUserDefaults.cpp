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

void QtUserDefaults::set(const std::string& key, const std::string& value) {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  settings.setValue(qtKey(key), QString::fromStdString(value));
  // Written at once: a stored path must survive a crash of the next command.
  settings.sync();
  reportFailure(settings);
}

void QtUserDefaults::remove(const std::string& key) {
  QSettings settings(settingsFile(), QSettings::IniFormat);
  settings.remove(qtKey(key));
  settings.sync();
  reportFailure(settings);
}

void QtUserDefaults::reportFailure(const QSettings& settings) const {
  if (settings.status() == QSettings::NoError || !report_) return;
  report_("The settings could not be written to " + settings.fileName().toStdString());
}

}  // namespace molbench::qt
