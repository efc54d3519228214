// The tools window through real widgets: pick a tool, fill its fields, run it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>

#include "SceneFixture.h"
#include "TestSupport.h"

namespace molbench::qttest {
namespace {

// Open Babel's force fields spin OpenMP threads on every core; one keeps the runs quick on a
// busy machine.
const bool oneOpenMpThread = (::setenv("OMP_NUM_THREADS", "1", 0), true);

QWidget* container(SceneFixture& scene) { return scene.widget("containView"); }

// The shown pane's widget of that name: hidden panes are out of the container.
template <class W>
W* inShownPane(SceneFixture& scene, const char* name) {
  return container(scene)->findChild<W*>(name);
}

QAbstractButton* shownButtonSending(SceneFixture& scene, const char* selector) {
  for (auto* button : container(scene)->findChildren<QAbstractButton*>())
    if (button->property("action").toString() == selector) return button;
  return nullptr;
}

void pickTool(SceneFixture& scene, const char* title) {
  auto* popup = scene.widgetAs<QComboBox>("viewitemspopup");
  int index = popup->findText(title);
  ASSERT_GE(index, 0) << title;
  popup->setCurrentIndex(index);
  emit popup->activated(index);
}

// Each generation tool, run on a real file through its pane's widgets in the tools window.
TEST(ToolsWindow, RunsEachGenerationToolOnARealFile) {
  SceneFixture scene("ToolsController");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  ASSERT_EQ(scene.widgetAs<QComboBox>("viewitemspopup")->count(), 15);
  EXPECT_NE(container(scene)->findChild<QWidget*>("obtoolsblank"), nullptr);
  std::string folder = scene.platform().temporaryDirectory();
  std::string smiles = folder + "/pyridone.smi";
  testing::writeFile(smiles, "Oc1ccccn1 hydroxypyridine\n");
  // Confab, the conformer search and obrotate start from 3D coordinates.
  std::string butane = folder + "/butane.sdf";
  testing::runForOutput("/usr/bin/obabel -:CCCC -O '" + butane + "' --gen3D 2>/dev/null");

  struct Tool {
    const char* title;
    std::string input;
    std::vector<std::pair<const char*, const char*>> fields;
    const char* run;
    const char* output;
    int molecules;
  };
  const Tool tools[] = {
      {"obgen", smiles, {}, "runObgen:", "/obgen3D.sdf", 1},
      {"obconfab", butane, {{"numconfs", "10"}}, "runobConfab:", "/obconfab.sdf", -1},
      {"obconformer",
       butane,
       {{"numConformations", "3"}},
       "runObconformer:",
       "/obconformer.sdf",
       1},
      {"obrotate",
       butane,
       {{"smartsDihedral", "CCCC"}, {"atomsDihedral", "1 2 3 4"}, {"angleDihedral", "90"}},
       "runObroate:",
       "/obrotate.sdf",
       1},
      {"obtautomer", smiles, {}, "runObtautomer:", "/obtautomer.smiles", 2},
  };
  for (const auto& tool : tools) {
    SCOPED_TRACE(tool.title);
    pickTool(scene, tool.title);
    scene.platform().script().answerOpenPanel(tool.input);
    shownButtonSending(scene, "inputFileSelect:")->click();
    for (const auto& [field, value] : tool.fields)
      inShownPane<QLineEdit>(scene, field)->setText(QString::fromUtf8(value));
    shownButtonSending(scene, tool.run)->click();
    std::string output = folder + tool.output;
    int count = testing::obabelCount(
        {std::string(tool.output).ends_with(".smiles") ? "-ismi" : "-isdf", output, "-onul"});
    if (tool.molecules < 0) {
      EXPECT_GE(count, 1);
    } else {
      EXPECT_EQ(count, tool.molecules);
    }
  }
  EXPECT_TRUE(scene.platform().script().alerts().empty());

  // Each pane kept its fields while the others were shown; the container shows one pane.
  pickTool(scene, "obrms");
  EXPECT_NE(container(scene)->findChild<QWidget*>("obrms"), nullptr);
  pickTool(scene, "obgen");
  EXPECT_EQ(inShownPane<QLineEdit>(scene, "inputFilepath")->text().toStdString(), smiles);
  EXPECT_EQ(container(scene)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
            1);
}

// At the size the Window menu opens it with, every pane shows each of its labels whole: a note
// cut off mid-word tells the chemist only half of what the pane does.
TEST(ToolsWindow, EveryPaneShowsItsLabelsWhole) {
  SceneFixture scene("ToolsController");
  scene.root()->resize(900, 640);
  scene.root()->show();
  auto* popup = scene.widgetAs<QComboBox>("viewitemspopup");
  for (int index = 1; index < popup->count(); ++index) {
    std::string title = popup->itemText(index).toStdString();
    SCOPED_TRACE(title);
    pickTool(scene, title.c_str());
    QApplication::processEvents();
    for (auto* label : container(scene)->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->wordWrap()) continue;
      EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
  }
}

}  // namespace
}  // namespace molbench::qttest
