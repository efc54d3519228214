// The 3D view in the Lookup tab's real web view draws the molecule with WebGL. WebGL renders
// only on an X display (Xvfb), never with the offscreen platform, so this program runs alone
// under xvfb-run and skips when it has no display. It starts the web engine as the program
// does, with no switches from outside, as when a user starts Molbench on an existing display
// without a GPU.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QWebEngineView>
#include <cstdlib>
#include <iostream>

#include "SceneFixture.h"
#include "TestSupport.h"
#include "lookup/LookupFixture.h"
#include "qt/WebEngineSetup.h"

namespace molbench::qttest {
namespace {

// Oxygen atoms are drawn red: pixels of that colour prove the molecule was drawn, where a
// blank page, an error text or the bare background have none.
int redPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QColor colour = image.pixelColor(x, y);
      count += colour.red() > 150 && colour.green() < 90 && colour.blue() < 90;
    }
  return count;
}

TEST(LookupWebGL, ThreeDViewDrawsTheMolecule) {
  SceneFixture scene("seekerController");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  scene.root()->resize(1000, 600);
  scene.root()->show();
  scene.widgetAs<QLineEdit>("smilesString")->setText("CC(=O)Oc1ccccc1C(=O)O");
  for (auto* button : scene.root()->findChildren<QAbstractButton*>())
    if (button->property("action").toString() == "display3D:") button->click();

  auto* view = scene.widgetAs<QWebEngineView>("molView");
  ASSERT_NE(view, nullptr);
  int red = 0;
  auto drawn = [&] { return (red = redPixels(view->grab().toImage())) > 20; };
  EXPECT_TRUE(waitUntil(drawn, std::chrono::seconds(60)))
      << "the 3D view drew no molecule: " << red;
}

}  // namespace
}  // namespace molbench::qttest

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    std::cout << "Skipped: WebGL needs an X display; run this under xvfb-run.\n";
    return 77;
  }
  molbench::qt::prepareWebEngine();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
