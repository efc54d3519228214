// The tools window through real widgets: pick a tool, fill its fields, run it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "SceneFixture.h"
#include "TestSupport.h"

namespace molbench::qttest {
namespace {

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

// Two tools, one with typed fields, run on real files through their panes' widgets in the tools
// window; each pane keeps its fields while another is shown.
TEST(ToolsWindow, RunsToolsOnRealFilesAndKeepsTheirFields) {
  SceneFixture scene("ToolsController");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  ASSERT_EQ(scene.widgetAs<QComboBox>("viewitemspopup")->count(), 15);
  EXPECT_NE(container(scene)->findChild<QWidget*>("obtoolsblank"), nullptr);
  std::string folder = scene.platform().temporaryDirectory();
  std::string smiles = folder + "/pyridone.smi";
  testing::writeFile(smiles, "Oc1ccccn1 hydroxypyridine\n");
  // obrotate starts from 3D coordinates.
  std::string butane = folder + "/butane.sdf";
  testing::runForOutput("/usr/bin/obabel -:CCCC -O '" + butane + "' --gen3D 2>/dev/null");

  struct Tool {
    const char* title;
    std::string input;
    std::vector<std::pair<const char*, const char*>> fields;
    const char* run;
    const char* output;
  };
  const Tool tools[] = {
      {"obgen", smiles, {}, "runObgen:", "/obgen3D.sdf"},
      {"obrotate",
       butane,
       {{"smartsDihedral", "CCCC"}, {"atomsDihedral", "1 2 3 4"}, {"angleDihedral", "90"}},
       "runObroate:",
       "/obrotate.sdf"},
  };
  for (const auto& tool : tools) {
    SCOPED_TRACE(tool.title);
    pickTool(scene, tool.title);
    scene.platform().script().answerOpenPanel(tool.input);
    shownButtonSending(scene, "inputFileSelect:")->click();
    for (const auto& [field, value] : tool.fields)
      inShownPane<QLineEdit>(scene, field)->setText(QString::fromUtf8(value));
    shownButtonSending(scene, tool.run)->click();
    EXPECT_EQ(testing::obabelCount({folder + tool.output, "-onul"}), 1);
  }
  EXPECT_TRUE(scene.platform().script().alerts().empty());

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
