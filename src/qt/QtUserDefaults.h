// The user defaults over QSettings, in the INI file Molbench/Molbench.conf of the XDG config
// folder. Each call opens its own QSettings, so panes may read from any thread, and the
// location follows XDG_CONFIG_HOME as it is at that moment.
#pragma once

#include <QSettings>
#include <QString>
#include <functional>

#include "platform/Services.h"

namespace molbench::qt {

class QtUserDefaults : public platform::UserDefaults {
 public:
  using Reporter = std::function<void(const std::string&)>;
  // The reporter hears of settings that could not be written.
  explicit QtUserDefaults(Reporter report = {}) : report_(std::move(report)) {}

  std::optional<std::string> stringForKey(const std::string& key) const override;
  bool set(const std::string& key, const std::string& value) override;
  void remove(const std::string& key) override;

  static QString settingsFile();

 private:
  Reporter report_;
  bool reportFailure(const QSettings& settings) const;  // true when written
};

}  // namespace molbench::qt
