// A lookup through the real widgets of the Lookup tab against a local HTTP server: the engine
// popup, the text lookup, the service's picture in the web view, and the 2D and 3D views.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWebEngineView>

#include "SceneFixture.h"
#include "TestSupport.h"
#include "common/TemporaryDirectory.h"
#include "lookup/LocalServer.h"
#include "lookup/LookupFixture.h"

namespace molbench::qttest {
namespace {

void click(SceneFixture& scene, const char* selector) {
  for (auto* button : scene.root()->findChildren<QAbstractButton*>()) {
    if (button->property("action").toString() == selector) {
      button->click();
      return;
    }
  }
  FAIL() << "no button sends " << selector;
}

std::string fieldText(SceneFixture& scene, const char* outlet) {
  return scene.widgetAs<QLineEdit>(outlet)->text().toStdString();
}

// The address the pane's web view shows once its navigation has begun.
std::string shownAddress(SceneFixture& scene, const std::string& ending) {
  auto* view = scene.widgetAs<QWebEngineView>("molView");
  waitUntil(
      [&] { return view->url().toString(QUrl::FullyEncoded).toStdString().ends_with(ending); });
  return view->url().toString(QUrl::FullyEncoded).toStdString();
}

TEST(LookupTab, LooksAStructureUpOnTheLocalServer) {
  testing::keepObabelOnOneThread();
  testing::LocalServer server;
  SceneFixture scene("seekerController");
  auto& hosts = scene.platform().serviceHosts();
  hosts.cir = hosts.pubchem = server.host();
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  const std::string name = "/rest/pug/compound/name/acetic%20acid";
  server.answer(name + "/property/IsomericSMILES/TXT", 200, "CC(=O)O\n");
  server.answer(name + "/property/InChIKey/TXT", 200, "InChIKey=QTBSBXVTEAMEQO-UHFFFAOYSA-N\n");

  auto* engine = scene.widgetAs<QComboBox>("queryEngine");
  ASSERT_EQ(engine->currentText().toStdString(), "CIR");
  engine->setCurrentIndex(engine->findText("PubChem"));
  emit engine->activated(engine->currentIndex());
  scene.widgetAs<QLineEdit>("queryString")->setText("acetic acid");

  click(scene, "getSMILES:");
  ASSERT_TRUE(waitUntil([&] { return !fieldText(scene, "inChiKeystring").empty(); }));
  ASSERT_TRUE(waitUntil([&] { return !fieldText(scene, "smilesString").empty(); }));
  EXPECT_EQ(fieldText(scene, "smilesString"), "CC(=O)O\n");
  EXPECT_EQ(fieldText(scene, "inChiKeystring"), "QTBSBXVTEAMEQO-UHFFFAOYSA-N\n");

  // The web view itself asks the server for the picture.
  click(scene, "cirSearch:");
  EXPECT_EQ(shownAddress(scene, "/PNG"), server.host() + name + "/PNG");
  EXPECT_TRUE(waitUntil([&] {
    auto asked = server.targets();
    return std::find(asked.begin(), asked.end(), name + "/PNG") != asked.end();
  }));

  // The SMILES as the service left it, line end included, draws in 2D and 3D.
  std::string folder = scene.platform().temporaryDirectory();
  std::string folderUrl = temporaryDirectoryUrl(scene.platform()).absoluteString();
  click(scene, "loadTestImage:");
  EXPECT_EQ(testing::readFile(folder + "/myjunk.png").substr(0, 4), "\x89PNG");
  EXPECT_EQ(shownAddress(scene, "myjunk.png"), folderUrl + "/myjunk.png");
  click(scene, "display3D:");
  EXPECT_EQ(shownAddress(scene, "the3Dview.htm"), folderUrl + "the3Dview.htm");
  EXPECT_EQ(testing::obabelCount({folder + "/myjunk.sdf", "-onul"}), 1);
}

}  // namespace
}  // namespace molbench::qttest
