// Every scene of the layout, including those other subsystems add later, loads into real
// widgets with each declared outlet and action of its pane connected.
#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>

#include "SceneFixture.h"
#include "app/Scenes.h"
#include "platform/SceneRegistry.h"
#include "qt/LayoutLoader.h"

namespace molbench::qttest {
namespace {

std::vector<std::string> scenesWithLayout() {
  registerScenes();
  std::vector<std::string> result;
  for (const auto& identifier : platform::SceneRegistry::shared().identifiers())
    if (qt::hasLayout(identifier)) result.push_back(identifier);
  return result;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(SceneCoverage, EveryLayoutFileBelongsToARegisteredScene) {
  registerScenes();
  const auto files = QDir(QStringLiteral(":/Main")).entryList({QStringLiteral("*.ui")});
  ASSERT_FALSE(files.isEmpty());
  for (const auto& file : files) {
    std::string identifier = file.chopped(3).toStdString();
    EXPECT_TRUE(platform::SceneRegistry::shared().contains(identifier))
        << file.toStdString() << " has no pane";
  }
}

TEST(SceneCoverage, EverySceneConnectsAllItsOutletsAndActions) {
  auto scenes = scenesWithLayout();
  EXPECT_TRUE(contains(scenes, "ViewController") && contains(scenes, "PrefsViewController"));
  for (const auto& identifier : scenes) {
    SCOPED_TRACE(identifier);
    SceneFixture scene(identifier);
    ASSERT_NE(scene.root(), nullptr);
    EXPECT_EQ(scene.root()->objectName().toStdString(), identifier);

    for (const auto& outlet : scene.pane().outletInfo())
      EXPECT_TRUE(scene.pane().isOutletConnected(outlet.name)) << "outlet " << outlet.name;

    const auto& sent = scene.sceneView().connectedActions();
    for (const auto& action : scene.pane().actionInfo()) {
      EXPECT_TRUE(contains(sent, action.selector)) << "no control sends " << action.selector;
      // Where the pane names the controls that send an action, those very controls must.
      for (const auto& sender : action.senders) {
        QWidget* widget = scene.widget(sender);
        ASSERT_NE(widget, nullptr) << sender;
        EXPECT_EQ(widget->property("action").toString().toStdString(), action.selector)
            << sender << " should send " << action.selector;
      }
    }
    for (const auto& line : scene.platform().diagnostics())
      EXPECT_NE(line.rfind("Scene ", 0), 0u) << line;
  }
}

TEST(SceneCoverage, ASceneWithoutLayoutShowsAnEmptyViewAndSaysSo) {
  auto platform = std::make_unique<TestPlatform>();
  auto& recorder = *platform;
  auto pane = std::make_shared<platform::ViewController>(recorder);
  pane->setIdentifier("NoSuchScene");
  SceneFixture scene(std::move(platform), pane);
  ASSERT_NE(scene.root(), nullptr);
  EXPECT_TRUE(scene.root()->findChildren<QWidget*>().isEmpty());
  auto lines = recorder.diagnostics();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("NoSuchScene"), std::string::npos);
}

}  // namespace
}  // namespace molbench::qttest
