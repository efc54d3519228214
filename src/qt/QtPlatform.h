// The platform of the real program: Qt widgets, dialogs and settings, libcurl for the web and
// the posix folders.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/Platform.h"
#include "qt/QtUserDefaults.h"

namespace molbench::platform::curl {
class CurlTransfers;
}

namespace molbench::qt {

class QtMainQueue : public platform::MainQueue {
 public:
  // Posts the work to the application's thread; dropped when there is no application.
  void async(std::function<void()> work) override;
};

class QtPlatform : public platform::Platform {
 public:
  QtPlatform();
  // Aborts the web requests still in flight and waits for their workers.
  ~QtPlatform() override;

  platform::UserDefaults& userDefaults() override { return defaults_; }
  std::optional<std::string> runOpenPanel(const platform::OpenPanelRequest& request) override;
  int runAlert(const platform::AlertRequest& request) override;
  bool openURL(const std::string& url) override;
  platform::MainQueue& mainQueue() override { return mainQueue_; }
  std::shared_ptr<platform::UrlSession> makeUrlSession() override;
  platform::ServiceHosts& serviceHosts() override { return serviceHosts_; }
  void diagnostic(const std::string& line) override;
  std::optional<std::string> resourcePath() override;
  std::string temporaryDirectory() override;
  std::shared_ptr<platform::View> loadView(platform::ViewController& controller) override;
  void closeWindow(platform::ViewController& controller) override;
  void terminate() override;

 private:
  QtUserDefaults defaults_;
  QtMainQueue mainQueue_;
  platform::ServiceHosts serviceHosts_;
  std::shared_ptr<platform::curl::CurlTransfers> transfers_;
  std::mutex outputMutex_;
  std::atomic<bool> reportedTemporaryFallback_ = false;
};

}  // namespace molbench::qt
