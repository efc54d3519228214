#include "SceneFixture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "app/Scenes.h"
#include "platform/SceneRegistry.h"
#include "qt/LayoutLoader.h"

namespace molbench::qttest {

namespace {

std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace

ScopedConfigHome::ScopedConfigHome() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "molbench-qt-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  folder_ = pattern;
  std::filesystem::create_directories(configHome());
  std::filesystem::create_directories(temporaryDirectory());
  for (const char* name : {"XDG_CONFIG_HOME", "TMPDIR"}) saved_[name] = environment(name);
  ::setenv("XDG_CONFIG_HOME", configHome().c_str(), 1);
  ::setenv("TMPDIR", temporaryDirectory().c_str(), 1);
}

ScopedConfigHome::~ScopedConfigHome() {
  for (const auto& [name, value] : saved_) {
    if (value) {
      ::setenv(name.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name.c_str());
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
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

QWidget* SceneFixture::root() const { return sceneView().widget(); }

qt::SceneView& SceneFixture::sceneView() const {
  auto* view = dynamic_cast<qt::SceneView*>(pane_->view().get());
  if (!view) throw std::logic_error("the pane's view is no loaded scene");
  return *view;
}

QWidget* SceneFixture::widget(const std::string& name) const {
  if (QWidget* outlet = sceneView().outletWidget(name)) return outlet;
  QWidget* top = root();
  if (!top) return nullptr;
  return top->findChild<QWidget*>(QString::fromStdString(name));
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
