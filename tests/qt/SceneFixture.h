// Helpers for tests that drive panes through real Qt widgets (QT_QPA_PLATFORM=offscreen).
//
//   molbench::qttest::SceneFixture scene("Convertcontroller");
//   scene.platform().script().answerOpenPanel(path);     // dialogs are scripted
//   scene.widgetAs<QLineEdit>("inputFilepath")->text();
//
// The platform is the real Qt one (QSettings in a private XDG_CONFIG_HOME, the real layout
// loader and main queue) except that open panels, alerts and the browser are scripted and
// recorded, and diagnostics are captured, by a headless harness.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ViewController.h"
#include "platform/headless/Harness.h"
#include "qt/QtPlatform.h"
#include "qt/QtView.h"

namespace molbench::qttest {

// A private folder that serves as XDG_CONFIG_HOME (its "config") and TMPDIR (its "tmp") while
// the object lives; the former values come back and the folder goes afterwards.
class ScopedConfigHome {
 public:
  ScopedConfigHome();
  ~ScopedConfigHome();
  std::string folder() const { return folder_.path().toStdString(); }
  std::string temporaryDirectory() const { return folder() + "/tmp"; }

 private:
  QTemporaryDir folder_;
  std::map<std::string, std::optional<std::string>> saved_;
};

class TestPlatform : public qt::QtPlatform {
 public:
  // Scripts and records open panels, alerts and the browser: script().answerOpenPanel(path).
  headless::Harness& script() { return script_; }
  std::vector<std::string> diagnostics() const { return script_.diagnostics(); }
  // A scene whose layout the test supplies instead of ":/Main".
  void addLayout(const std::string& identifier, const QByteArray& uiText) {
    layouts_[identifier] = uiText;
  }

  std::optional<std::string> runOpenPanel(const platform::OpenPanelRequest& request) override {
    return script_.runOpenPanel(request);
  }
  int runAlert(const platform::AlertRequest& request) override { return script_.runAlert(request); }
  bool openURL(const std::string& url) override { return script_.openURL(url); }
  void diagnostic(const std::string& line) override { script_.diagnostic(line); }
  std::string temporaryDirectory() override { return home_.temporaryDirectory(); }
  std::shared_ptr<platform::View> loadView(platform::ViewController& controller) override;

 private:
  ScopedConfigHome home_;
  headless::Harness script_;
  std::map<std::string, QByteArray> layouts_;
};

// One scene loaded into real widgets, with its pane.
class SceneFixture {
 public:
  // Registers the program's scenes, makes the pane of the identifier and loads its view.
  explicit SceneFixture(const std::string& identifier);
  // The same for a pane the test made (layouts from TestPlatform::addLayout included).
  SceneFixture(std::unique_ptr<TestPlatform> platform,
               std::shared_ptr<platform::ViewController> pane);
  ~SceneFixture();

  TestPlatform& platform() { return *platform_; }
  platform::ViewController& pane() { return *pane_; }
  QWidget* root() const { return sceneView().widget(); }
  qt::SceneView& sceneView() const;
  // The widget of an outlet (a web view's QWebEngineView), else the scene's widget of that
  // objectName; null when there is none.
  QWidget* widget(const std::string& name) const;
  template <class W>
  W* widgetAs(const std::string& name) const {
    return qobject_cast<W*>(widget(name));
  }

 private:
  std::unique_ptr<TestPlatform> platform_;
  std::shared_ptr<platform::ViewController> pane_;
};

// Processes events until the predicate holds or the timeout passes.
bool waitUntil(const std::function<bool()>& predicate,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Runs the action once the event loop (of a modal dialog, say) next gets control.
void whenIdle(std::function<void()> action);

}  // namespace molbench::qttest
