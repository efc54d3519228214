// A report-showing tool pane through its real widgets: obrms's report lands in the pane.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "SceneFixture.h"
#include "TestSupport.h"

namespace molbench::qttest {
namespace {

TEST(RmsdTab, ShowsTheReportOfObrms) {
  SceneFixture scene("obrms");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  std::string ligand = scene.platform().temporaryDirectory() + "/ligand.sdf";
  ASSERT_EQ(testing::obabelCount({testing::testDataPath("cdk2-12.sdf"), "-l", "1", "-O", ligand}),
            1);
  auto* result = scene.widgetAs<QPlainTextEdit>("obrmsResult");
  result->setPlainText("an earlier report");

  scene.platform().script().answerOpenPanel(ligand);
  scene.widgetAs<QAbstractButton>("inputReferenceFileButton")->click();
  scene.widgetAs<QLineEdit>("testFile")->setText(QString::fromStdString(ligand));
  scene.widgetAs<QAbstractButton>("chooseFirstonly")->click();
  scene.widgetAs<QAbstractButton>("runOpbrmsdButton")->click();
  EXPECT_EQ(result->toPlainText().toStdString(), "RMSD ZINC03814457:ZINC03814457 0\n");
}

}  // namespace
}  // namespace molbench::qttest
