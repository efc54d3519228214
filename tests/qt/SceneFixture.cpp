#include "SceneFixture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "app/Scenes.h"
#include "platform/SceneRegistry.h"
#include "qt/LayoutLoader.h"

namespace molbench::qttest {

ScopedConfigHome::ScopedConfigHome() : folder_(QDir::tempPath() + "/molbench-qt-test-XXXXXX") {
  if (!folder_.isValid() || !QDir(folder_.path()).mkpath("config") ||
      !QDir(folder_.path()).mkpath("tmp"))
    throw std::runtime_error("cannot make a temporary folder");
  for (const char* name : {"XDG_CONFIG_HOME", "TMPDIR"}) {
    if (const char* value = std::getenv(name))
      saved_[name] = value;
    else
      saved_[name] = std::nullopt;
  }
  ::setenv("XDG_CONFIG_HOME", (folder() + "/config").c_str(), 1);
  ::setenv("TMPDIR", temporaryDirectory().c_str(), 1);
}

ScopedConfigHome::~ScopedConfigHome() {
  for (const auto& [name, value] : saved_)
    value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
}

std::shared_ptr<platform::View> TestPlatform::loadView(platform::ViewController& controller) {
  auto supplied = layouts_.find(controller.identifier());
  if (supplied == layouts_.end()) return QtPlatform::loadView(controller);
  QBuffer buffer(&supplied->second);
  buffer.open(QIODevice::ReadOnly);
  return qt::loadScene(controller, buffer);
}

SceneFixture::SceneFixture(const std::string& identifier)
    : platform_(std::make_unique<TestPlatform>()) {
  registerScenes();
  pane_ = platform::SceneRegistry::shared().instantiate(identifier, *platform_);
  if (!pane_) throw std::logic_error("no scene " + identifier);
  pane_->view();
}

SceneFixture::SceneFixture(std::unique_ptr<TestPlatform> platform,
                           std::shared_ptr<platform::ViewController> pane)
    : platform_(std::move(platform)), pane_(std::move(pane)) {
  pane_->view();
}

SceneFixture::~SceneFixture() {
  // The pane goes first: its view owns the scene's widgets, which must die while the
  // platform that loaded them still exists.
  pane_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

qt::SceneView& SceneFixture::sceneView() const {
  auto* view = dynamic_cast<qt::SceneView*>(pane_->view().get());
  if (!view) throw std::logic_error("the pane's view is no loaded scene");
  return *view;
}

QWidget* SceneFixture::widget(const std::string& name) const {
  if (QWidget* outlet = sceneView().outletWidget(name)) return outlet;
  return root() ? root()->findChild<QWidget*>(QString::fromStdString(name)) : nullptr;
}

bool waitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
  QElapsedTimer clock;
  clock.start();
  while (!predicate()) {
    if (clock.elapsed() > timeout.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void whenIdle(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

}  // namespace molbench::qttest
