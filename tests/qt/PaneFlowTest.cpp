// One flow per pane through the real widgets of its tab or scene: what a user clicks and types
// reaches obabel and the files it writes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>
#include <cstdio>

#include "SceneFixture.h"
#include "TestSupport.h"
#include "common/ShellQuote.h"

namespace molbench::qttest {
namespace {

QAbstractButton* buttonSending(SceneFixture& scene, const char* selector) {
  for (auto* button : scene.root()->findChildren<QAbstractButton*>())
    if (button->property("action").toString() == selector) return button;
  return nullptr;
}

// A user's pick: the row becomes current and the popup sends its action.
void pick(QComboBox* popup, const char* title) {
  int index = popup->findText(title);
  ASSERT_GE(index, 0) << title;
  popup->setCurrentIndex(index);
  emit popup->activated(index);
}

void type(SceneFixture& scene, const char* field, const std::string& text) {
  scene.widgetAs<QLineEdit>(field)->setText(QString::fromStdString(text));
}

std::string shown(SceneFixture& scene, const char* field = "obabelText") {
  QWidget* widget = scene.widget(field);
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text().toStdString();
  return qobject_cast<QPlainTextEdit*>(widget)->toPlainText().toStdString();
}

TEST(ConvertTab, ConvertsAFileThroughTheWidgets) {
  SceneFixture scene("Convertcontroller");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  std::string folder = scene.platform().temporaryDirectory();
  std::string input = testing::testDataPath("cdk2-12.sdf");

  scene.platform().script().answerOpenPanel(input);
  buttonSending(scene, "inputFileSelect:")->click();
  EXPECT_EQ(shown(scene, "outputFilepath"), std::string(MOLBENCH_TEST_DATA_DIR) + "/");

  type(scene, "outputFilepath", folder + "/picked (copy)");
  pick(scene.widgetAs<QComboBox>("inputFiletype"), "sdf -- MDL MOL format");
  pick(scene.widgetAs<QComboBox>("outputFiletype"), "smi -- SMILES format");
  auto* writeOptions = scene.widgetAs<QComboBox>("outputFileoptions");
  ASSERT_EQ(writeOptions->count(), 12);
  pick(writeOptions, "-xc Canonical form");
  scene.widgetAs<QAbstractButton>("onlyUniquemols")->click();

  buttonSending(scene, "checkObabel:")->click();
  EXPECT_EQ(shown(scene), "/usr/bin/obabel -isdf " + quotedPath(input) + "    -osmi -xc   -O '" +
                              folder + "/picked (copy)'.smi --unique ");

  buttonSending(scene, "convertFile:")->click();
  EXPECT_EQ(testing::obabelCount({folder + "/picked (copy).smi", "-onul"}), 12);

  buttonSending(scene, "countMols:")->click();
  EXPECT_EQ(shown(scene), "The file contains 12\nmolecules");

  // The range's two buttons are one group: picking the selection turns "all" off.
  auto* all = scene.widgetAs<QAbstractButton>("convertAll");
  ASSERT_TRUE(all->isChecked());
  scene.widgetAs<QAbstractButton>("convertSeletion")->click();
  EXPECT_FALSE(all->isChecked());
  type(scene, "convertFrom", "3");
  type(scene, "convertTo", "5");
  buttonSending(scene, "convertFile:")->click();
  EXPECT_EQ(testing::obabelCount({folder + "/picked (copy).smi", "-onul"}), 3);

  // A pattern obabel cannot read is refused, and the kept output keeps its bytes.
  std::string kept = testing::readFile(folder + "/picked (copy).smi");
  pick(scene.widgetAs<QComboBox>("smartsConvertoptions"), "matching");
  type(scene, "smartsConvert", "C(");
  buttonSending(scene, "convertFile:")->click();
  ASSERT_EQ(scene.platform().script().alerts().size(), 1u);
  EXPECT_EQ(scene.platform().script().alerts()[0].messageText, "Mend the SMARTS pattern");
  EXPECT_EQ(testing::readFile(folder + "/picked (copy).smi"), kept);
}

// A data field may be named like a command, and the command field hands some characters back
// changed (a no-break space as a blank, U+2028, U+2029 and a lone carriage return as line
// breaks): what List tags or Count put there is still no command, however the field reads it.
TEST(ConvertTab, RunRefusesTheListingsAsTheFieldHandsThemBack) {
  SceneFixture scene("Convertcontroller");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  std::string folder = scene.platform().temporaryDirectory();
  std::string planted = folder + "/planted";
  std::string touch = "true;touch " + quotedPath(planted);
  const std::pair<const char*, std::string> oddCharacters[] = {
      {"no-break space", "\xC2\xA0"},
      {"line separator", "\xE2\x80\xA8"},
      {"paragraph separator", "\xE2\x80\xA9"},
      {"lone carriage return", "\r"},
      {"bytes that are not UTF-8", "\xFF\xFE"},
      {"zero-width space", "\xE2\x80\x8B"},
      {"tab", "\t"},
  };
  auto& alerts = scene.platform().script().alerts();
  auto* field = scene.widgetAs<QPlainTextEdit>("obabelText");
  for (const auto& [what, odd] : oddCharacters) {
    std::string sdf = folder + "/named.sdf";
    std::string text = testing::readFile(testing::testDataPath("small.sdf"));
    text.insert(text.find("$$$$"), ">  <x" + odd + touch + ">\n1\n\n");
    testing::writeFile(sdf, text);
    type(scene, "inputFilepath", sdf);
    for (const char* filling : {"listTags:", "countMols:", "filterHelp:"}) {
      auto refusals = alerts.size();
      buttonSending(scene, filling)->click();
      ASSERT_FALSE(shown(scene).empty()) << what << " " << filling;
      if (filling == std::string("listTags:")) {
        ASSERT_NE(shown(scene).find(touch), std::string::npos) << what;
      }
      buttonSending(scene, "runObabelcommand:")->click();
      EXPECT_EQ(alerts.size(), refusals + 1) << what << " " << filling;
      EXPECT_FALSE(testing::fileExists(planted)) << what << " " << filling;
      std::remove(planted.c_str());
    }
  }

  // What the user types there, or the listing edited, runs.
  auto refusals = alerts.size();
  field->setPlainText(QString::fromStdString("touch " + quotedPath(planted)));
  buttonSending(scene, "runObabelcommand:")->click();
  EXPECT_TRUE(testing::fileExists(planted));
  std::remove(planted.c_str());
  buttonSending(scene, "listTags:")->click();
  field->appendPlainText("");
  buttonSending(scene, "runObabelcommand:")->click();
  EXPECT_TRUE(testing::fileExists(planted));
  EXPECT_EQ(alerts.size(), refusals);
}

TEST(SearchTab, SearchesAFileAndItsIndexThroughTheWidgets) {
  SceneFixture scene("SearchViewController");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  std::string folder = scene.platform().temporaryDirectory();
  // obabel looks for the indexed file beside its index, so both live in the scratch folder.
  std::string input = folder + "/cdk2.sdf";
  testing::writeFile(input, testing::readFile(testing::testDataPath("cdk2.sdf")));

  scene.platform().script().answerOpenPanel(input);
  buttonSending(scene, "inputFileSelect:")->click();
  std::string index = folder + "/cdk2.fs";
  EXPECT_EQ(shown(scene, "fssearchPath"), index);
  EXPECT_EQ(shown(scene, "outputFilepath"), folder + "/");
  type(scene, "outputFilepath", folder + "/hits");
  pick(scene.widgetAs<QComboBox>("inputFiletype"), "sdf -- MDL MOL format");
  pick(scene.widgetAs<QComboBox>("outputFiletype"), "sdf -- MDL MOL format");
  pick(scene.widgetAs<QComboBox>("smartsSearchoptions"), "matching");
  type(scene, "smartsSearch", "c1ccccc1N");

  buttonSending(scene, "checkObabel:")->click();
  int hits = testing::obabelCount({input, "-onul", "-s", "c1ccccc1N"});
  ASSERT_GT(hits, 0);
  EXPECT_EQ(testing::obabelCount({folder + "/hits.sdf", "-onul"}), hits);

  buttonSending(scene, "createFS:")->click();
  ASSERT_TRUE(testing::fileExists(index));

  type(scene, "outputFilepath", folder + "/indexed.sdf");
  buttonSending(scene, "runFSsearch:")->click();
  EXPECT_TRUE(scene.platform().script().alerts().empty());
  EXPECT_EQ(testing::obabelCount({folder + "/indexed.sdf", "-onul"}), hits);
}

// A report-showing tool pane: the energy pane runs the real obabel, shows its report with
// obabel's own lines and saves the report to a file.
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
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 11);

  std::string report = scene.platform().temporaryDirectory() + "/energies.txt";
  scene.widgetAs<QLineEdit>("outputFilepath")->setText(QString::fromStdString(report));
  buttonSending(scene, "saveEnergy:")->click();
  EXPECT_EQ(testing::readFile(report) + "10 molecules converted\n", shown);
}

}  // namespace
}  // namespace molbench::qttest
