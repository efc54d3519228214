// A lookup through the real widgets of the Lookup tab against a local HTTP server: the engine
// popup, the text lookup, the service's picture in the web view, and the 2D and 3D views.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWebEngineView>
#include <algorithm>

#include "SceneFixture.h"
#include "TestSupport.h"
#include "common/TemporaryDirectory.h"
#include "lookup/LocalServer.h"
#include "lookup/LookupFixture.h"

namespace molbench::qttest {
namespace {

void click(SceneFixture& scene, const char* selector) {
  for (auto* button : scene.root()->findChildren<QAbstractButton*>())
    if (button->property("action").toString() == selector) return button->click();
  FAIL() << "no button sends " << selector;
}

TEST(LookupTab, LooksAStructureUpOnTheLocalServer) {
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
  auto* smiles = scene.widgetAs<QLineEdit>("smilesString");
  auto* inchi = scene.widgetAs<QLineEdit>("inChiKeystring");
  ASSERT_TRUE(waitUntil([&] { return !smiles->text().isEmpty() && !inchi->text().isEmpty(); }));
  // The answers' closing line ends are no part of the values.
  EXPECT_EQ(smiles->text().toStdString(), "CC(=O)O");
  EXPECT_EQ(inchi->text().toStdString(), "QTBSBXVTEAMEQO-UHFFFAOYSA-N");

  // The web view itself asks the server for the picture; the SMILES draws in 2D and 3D.
  auto* view = scene.widgetAs<QWebEngineView>("molView");
  auto shown = [&](const std::string& address) {
    return waitUntil(
        [&] { return view->url().toString(QUrl::FullyEncoded).toStdString() == address; });
  };
  click(scene, "cirSearch:");
  EXPECT_TRUE(shown(server.host() + name + "/PNG"));
  EXPECT_TRUE(waitUntil([&] { return std::ranges::count(server.targets(), name + "/PNG") > 0; }));
  std::string folderUrl = temporaryDirectoryUrl(scene.platform()).absoluteString();
  click(scene, "loadTestImage:");
  EXPECT_TRUE(shown(folderUrl + "/myjunk.png"));
  click(scene, "display3D:");
  EXPECT_TRUE(shown(folderUrl + "the3Dview.htm"));
  EXPECT_EQ(testing::obabelCount({scene.platform().temporaryDirectory() + "/myjunk.sdf", "-onul"}),
            1);
}

}  // namespace
}  // namespace molbench::qttest
