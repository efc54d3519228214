#include "platform/headless/Harness.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "platform/ActionDispatch.h"
#include "platform/OpenPanelChoice.h"
#include "platform/curl/CurlUrlSession.h"
#include "platform/posix/Folders.h"

namespace molbench::headless {

std::optional<std::string> Defaults::stringForKey(const std::string& key) const {
  std::lock_guard lock(mutex_);
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool Defaults::set(const std::string& key, const std::string& value) {
  std::lock_guard lock(mutex_);
  values_[key] = value;
  return true;
}

void Defaults::remove(const std::string& key) {
  std::lock_guard lock(mutex_);
  values_.erase(key);
}

void Harness::Queue::async(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  work_.push_back(std::move(work));
}

std::optional<std::function<void()>> Harness::Queue::next() {
  std::lock_guard lock(mutex_);
  if (work_.empty()) return std::nullopt;
  auto work = std::move(work_.front());
  work_.pop_front();
  return work;
}

Harness::Harness() {
  std::string pattern = (std::filesystem::temp_directory_path() / "molbench-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  temporaryDirectory_ = pattern;
  resourcePath_ = platform::posix::resourceDirectory();
  transfers_ = std::make_shared<platform::curl::CurlTransfers>();
  // A test that forgets to point a service at its own server gets a refused connection on a
  // port nobody serves, never an answer from the public service.
  for (std::string* host : {&serviceHosts_.cir, &serviceHosts_.pubchem, &serviceHosts_.pdbImages,
                            &serviceHosts_.unichem})
    *host = kClosedServiceHost;
}

Harness::~Harness() {
  // Completions still to come would reach a harness that is gone.
  transfers_->cancelAll();
  panes_.clear();
  std::error_code ignored;
  std::filesystem::remove_all(temporaryDirectory_, ignored);
}

void Harness::adopt(const std::shared_ptr<platform::ViewController>& pane) {
  if (pane) panes_.push_back(pane);
}

std::shared_ptr<platform::View> Harness::loadView(platform::ViewController& controller) {
  Scene& scene = scenes_[&controller];
  for (const auto& outlet : controller.outletInfo()) {
    auto control = makeControl(outlet.kind);
    controller.connectOutlet(outlet.name, control);
    scene.controls[outlet.name] = control;
  }
  for (const auto& action : controller.actionInfo()) {
    for (const auto& sender : action.senders) {
      auto found = scene.controls.find(sender);
      if (found == scene.controls.end()) continue;
      found->second->setAction(platform::dispatchTo(controller, action.selector));
    }
  }
  auto view = std::make_shared<View>();
  return view;
}

template <class T>
T& Harness::controlAs(platform::ViewController& pane, const std::string& outlet) {
  auto control = this->control(pane, outlet);
  auto* typed = dynamic_cast<T*>(control.get());
  if (!typed) throw std::logic_error("outlet " + outlet + " is not a control of the asked kind");
  return *typed;
}

std::shared_ptr<platform::Control> Harness::control(platform::ViewController& pane,
                                                    const std::string& outlet) {
  auto scene = scenes_.find(&pane);
  if (scene == scenes_.end()) throw std::logic_error("the pane's view was not loaded here");
  auto found = scene->second.controls.find(outlet);
  if (found == scene->second.controls.end())
    throw std::logic_error("the pane declares no outlet " + outlet);
  return found->second;
}

TextField& Harness::field(platform::ViewController& pane, const std::string& outlet) {
  return controlAs<TextField>(pane, outlet);
}
PopUpButton& Harness::popup(platform::ViewController& pane, const std::string& outlet) {
  return controlAs<PopUpButton>(pane, outlet);
}
Button& Harness::button(platform::ViewController& pane, const std::string& outlet) {
  return controlAs<Button>(pane, outlet);
}
TableView& Harness::table(platform::ViewController& pane, const std::string& outlet) {
  return controlAs<TableView>(pane, outlet);
}
ArrayController& Harness::arrayController(platform::ViewController& pane,
                                          const std::string& outlet) {
  return controlAs<ArrayController>(pane, outlet);
}
WebView& Harness::webView(platform::ViewController& pane, const std::string& outlet) {
  return controlAs<WebView>(pane, outlet);
}
TextView& Harness::textView(platform::ViewController& pane, const std::string& outlet) {
  return controlAs<TextView>(pane, outlet);
}

void Harness::disconnect(platform::ViewController& pane, const std::string& outlet) {
  auto scene = scenes_.find(&pane);
  if (scene == scenes_.end()) return;
  // Dropping the only owner empties the pane's weak outlet.
  scene->second.controls.erase(outlet);
}

void Harness::choose(platform::ViewController& pane, const std::string& popupOutlet,
                     const std::string& title) {
  auto& menu = popup(pane, popupOutlet);
  auto titles = menu.itemTitles();
  for (size_t i = 0; i < titles.size(); ++i) {
    if (titles[i] == title) {
      menu.selectItemAtIndex(static_cast<int>(i));
      menu.sendAction();
      return;
    }
  }
  throw std::logic_error("popup " + popupOutlet + " has no row \"" + title + "\"");
}

void Harness::press(platform::ViewController& pane, const std::string& selector) {
  platform::Control* sender = nullptr;
  auto scene = scenes_.find(&pane);
  for (const auto& action : pane.actionInfo()) {
    if (action.selector != selector) continue;
    if (scene != scenes_.end()) {
      for (const auto& outlet : action.senders) {
        auto found = scene->second.controls.find(outlet);
        if (found != scene->second.controls.end()) {
          sender = found->second.get();
          break;
        }
      }
    }
  }
  if (!pane.sendAction(selector, sender))
    throw std::logic_error("the pane has no action " + selector);
}

void Harness::answerOpenPanel(std::optional<std::string> path) {
  openPanelAnswers_.push_back(std::move(path));
}

void Harness::answerAlert(int button) { alertAnswers_.push_back(button); }

std::optional<std::string> Harness::runOpenPanel(const platform::OpenPanelRequest& request) {
  openPanels_.push_back(request);
  // A refused answer leaves the panel open for the next one, as a real panel stays open.
  while (!openPanelAnswers_.empty()) {
    auto answer = openPanelAnswers_.front();
    openPanelAnswers_.pop_front();
    if (!answer || platform::openPanelAllows(request, *answer)) return answer;
  }
  return std::nullopt;
}

int Harness::runAlert(const platform::AlertRequest& request) {
  alerts_.push_back(request);
  if (alertAnswers_.empty()) return 0;
  int answer = alertAnswers_.front();
  alertAnswers_.pop_front();
  return answer;
}

bool Harness::openURL(const std::string& url) {
  opened_.push_back(url);
  return true;
}

std::shared_ptr<platform::UrlSession> Harness::makeUrlSession() {
  if (urlSessionFactory_) return urlSessionFactory_();
  return std::make_shared<platform::curl::CurlUrlSession>(transfers_);
}

void Harness::diagnostic(const std::string& line) {
  std::lock_guard lock(diagnosticsMutex_);
  diagnostics_.push_back(line);
}

std::vector<std::string> Harness::diagnostics() const {
  std::lock_guard lock(diagnosticsMutex_);
  return diagnostics_;
}

std::vector<std::string> Harness::loads(platform::ViewController& pane,
                                        const std::string& webViewOutlet) {
  return webView(pane, webViewOutlet).loads();
}

void Harness::closeWindow(platform::ViewController& controller) {
  closedWindows_.push_back(controller.identifier());
}

int Harness::drainMainQueue() {
  int ran = 0;
  while (auto work = mainQueue_.next()) {
    (*work)();
    ++ran;
  }
  return ran;
}

bool Harness::waitFor(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    drainMainQueue();
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace molbench::headless
