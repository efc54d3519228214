// A report-showing tool pane through the real widgets of its scene: the energy pane runs the
// real obabel and shows its report, and saves the same report to a file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

#include "SceneFixture.h"
#include "TestSupport.h"

namespace molbench::qttest {
namespace {

QAbstractButton* buttonSending(SceneFixture& scene, const char* selector) {
  for (auto* button : scene.root()->findChildren<QAbstractButton*>())
    if (button->property("action").toString() == selector) return button;
  return nullptr;
}

TEST(EnergyPane, ShowsTheRealReportAndSavesItThroughTheWidgets) {
  SceneFixture scene("obenergy");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  std::string input = testing::testDataPath("small.sdf");
  scene.platform().script().answerOpenPanel(input);
  buttonSending(scene, "inputFileSelect:")->click();
  EXPECT_EQ(scene.widgetAs<QLineEdit>("outputFilepath")->text().toStdString(),
            std::string(MOLBENCH_TEST_DATA_DIR) + "/obenergy.txt");

  auto* forceField = scene.widgetAs<QComboBox>("forceField");
  ASSERT_EQ(forceField->currentText().toStdString(), "MMFF94");
  forceField->setCurrentIndex(forceField->findText("UFF"));
  buttonSending(scene, "runObenergy:")->click();
  std::string shown = scene.widgetAs<QPlainTextEdit>("obEnergyText")->toPlainText().toStdString();
  EXPECT_EQ(shown.substr(0, shown.find('\n')).substr(0, 8), "ethanol ");
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 10);

  std::string report = scene.platform().temporaryDirectory() + "/energies.txt";
  scene.widgetAs<QLineEdit>("outputFilepath")->setText(QString::fromStdString(report));
  buttonSending(scene, "saveEnergy:")->click();
  EXPECT_EQ(testing::readFile(report), shown);
}

}  // namespace
}  // namespace molbench::qttest
