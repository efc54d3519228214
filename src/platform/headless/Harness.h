// The test harness: a fresh headless world per test, in which panes are made, driven through
// their actions as a user would, and observed. Other test suites build on it: keep it stable.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/ViewController.h"
#include "platform/headless/Controls.h"

namespace molbench::platform::curl {
class CurlTransfers;
}

namespace molbench::headless {

// Where every service host of a fresh harness points: a port on 127.0.0.1 that nothing serves.
inline constexpr const char* kClosedServiceHost = "http://127.0.0.1:1";

class Defaults : public platform::UserDefaults {
 public:
  std::optional<std::string> stringForKey(const std::string& key) const override;
  bool set(const std::string& key, const std::string& value) override;
  void remove(const std::string& key) override;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string> values_;
};

class Harness : public platform::Platform {
 public:
  Harness();
  ~Harness() override;
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  Defaults& defaults() { return defaults_; }

  // Creates the scene's pane, binds every declared outlet to a fresh headless control, wires
  // the actions to the controls that send them, and loads the view (runs viewDidLoad).
  template <class Pane>
  Pane& make(const std::string& identifier) {
    auto pane = std::make_shared<Pane>(static_cast<platform::Platform&>(*this));
    pane->setIdentifier(identifier);
    adopt(pane);
    pane->view();
    return *pane;
  }
  // The same for a pane made elsewhere (a scene the registry created, say).
  void adopt(const std::shared_ptr<platform::ViewController>& pane);

  // The headless control behind an outlet; throws when there is none of that kind.
  TextField& field(platform::ViewController& pane, const std::string& outlet);
  PopUpButton& popup(platform::ViewController& pane, const std::string& outlet);
  Button& button(platform::ViewController& pane, const std::string& outlet);
  TableView& table(platform::ViewController& pane, const std::string& outlet);
  ArrayController& arrayController(platform::ViewController& pane, const std::string& outlet);
  WebView& webView(platform::ViewController& pane, const std::string& outlet);
  TextView& textView(platform::ViewController& pane, const std::string& outlet);
  std::shared_ptr<platform::Control> control(platform::ViewController& pane,
                                             const std::string& outlet);
  // Leaves an outlet unconnected, as a layout that lacks the control would.
  void disconnect(platform::ViewController& pane, const std::string& outlet);

  // Selects the row with that title and sends the popup's action, as a user's pick does.
  void choose(platform::ViewController& pane, const std::string& popupOutlet,
              const std::string& title);
  // Sends an action; the sender is the control that the pane names for it, if any.
  void press(platform::ViewController& pane, const std::string& selector);

  // Scripted answers, used in order. An open panel with no answer queued is cancelled; one it
  // refuses (a file without an allowed extension) is skipped, as a real panel stays open. An
  // alert with no answer queued is closed with its first button.
  void answerOpenPanel(std::optional<std::string> path);
  void answerAlert(int button);

  const std::vector<platform::AlertRequest>& alerts() const { return alerts_; }
  const std::vector<platform::OpenPanelRequest>& openPanels() const { return openPanels_; }
  const std::vector<std::string>& opened() const { return opened_; }
  std::vector<std::string> loads(platform::ViewController& pane, const std::string& webViewOutlet);
  std::vector<std::string> diagnostics() const;
  std::vector<std::string> closedWindows() const { return closedWindows_; }
  bool terminated() const { return terminated_; }

  // Runs the work queued for the main thread; returns how many items ran.
  int drainMainQueue();
  // Drains the main queue until the predicate holds or the timeout passes.
  bool waitFor(const std::function<bool()>& predicate,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

  // Where pages and scratch files go: a private folder removed with the harness.
  std::string temporaryDirectory() override { return temporaryDirectory_; }
  void setResourcePath(std::optional<std::string> path) { resourcePath_ = std::move(path); }
  // Set to make makeUrlSession hand out this session instead of the real one.
  void setUrlSessionFactory(std::function<std::shared_ptr<platform::UrlSession>()> factory) {
    urlSessionFactory_ = std::move(factory);
  }

  // platform::Platform
  platform::UserDefaults& userDefaults() override { return defaults_; }
  std::optional<std::string> runOpenPanel(const platform::OpenPanelRequest& request) override;
  int runAlert(const platform::AlertRequest& request) override;
  bool openURL(const std::string& url) override;
  platform::MainQueue& mainQueue() override { return mainQueue_; }
  std::shared_ptr<platform::UrlSession> makeUrlSession() override;
  // The harness's own copy: a test points a host at 127.0.0.1 before it presses.
  platform::ServiceHosts& serviceHosts() override { return serviceHosts_; }
  void diagnostic(const std::string& line) override;
  std::optional<std::string> resourcePath() override { return resourcePath_; }
  std::shared_ptr<platform::View> loadView(platform::ViewController& controller) override;
  void closeWindow(platform::ViewController& controller) override;
  void terminate() override { terminated_ = true; }

 private:
  class Queue : public platform::MainQueue {
   public:
    void async(std::function<void()> work) override;
    std::optional<std::function<void()>> next();

   private:
    std::mutex mutex_;
    std::deque<std::function<void()>> work_;
  };
  struct Scene {
    std::map<std::string, std::shared_ptr<platform::Control>> controls;
  };
  template <class T>
  T& controlAs(platform::ViewController& pane, const std::string& outlet);

  Defaults defaults_;
  Queue mainQueue_;
  platform::ServiceHosts serviceHosts_;
  std::string temporaryDirectory_;
  std::optional<std::string> resourcePath_;
  std::function<std::shared_ptr<platform::UrlSession>()> urlSessionFactory_;
  // Every request the real sessions start; they end before the rest of the harness.
  std::shared_ptr<platform::curl::CurlTransfers> transfers_;
  std::deque<std::optional<std::string>> openPanelAnswers_;
  std::deque<int> alertAnswers_;
  std::vector<platform::AlertRequest> alerts_;
  std::vector<platform::OpenPanelRequest> openPanels_;
  std::vector<std::string> opened_;
  mutable std::mutex diagnosticsMutex_;
  std::vector<std::string> diagnostics_;
  std::vector<std::string> closedWindows_;
  bool terminated_ = false;
  std::map<const platform::ViewController*, Scene> scenes_;
  std::vector<std::shared_ptr<platform::ViewController>> panes_;
};

}  // namespace molbench::headless
