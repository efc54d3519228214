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

TEST(SceneCoverage, EveryLayoutFileBelongsToARegisteredScene) {
  registerScenes();
  const auto files = QDir(QStringLiteral(":/Main")).entryList({QStringLiteral("*.ui")});
  ASSERT_FALSE(files.isEmpty());
  for (const auto& file : files)
    EXPECT_TRUE(platform::SceneRegistry::shared().contains(file.chopped(3).toStdString()))
        << file.toStdString() << " has no pane";
}

TEST(SceneCoverage, EverySceneConnectsAllItsOutletsAndActions) {
  registerScenes();
  int loaded = 0;
  for (const auto& identifier : platform::SceneRegistry::shared().identifiers()) {
    if (!qt::hasLayout(identifier)) continue;
    SCOPED_TRACE(identifier);
    ++loaded;
    SceneFixture scene(identifier);
    EXPECT_EQ(scene.root()->objectName().toStdString(), identifier);
    for (const auto& outlet : scene.pane().outletInfo())
      EXPECT_TRUE(scene.pane().isOutletConnected(outlet.name)) << "outlet " << outlet.name;

    const auto& sent = scene.sceneView().connectedActions();
    for (const auto& action : scene.pane().actionInfo()) {
      EXPECT_NE(std::find(sent.begin(), sent.end(), action.selector), sent.end())
          << "no control sends " << action.selector;
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
  EXPECT_GE(loaded, 2);
}

}  // namespace
}  // namespace molbench::qttest
