// The Viewer tab through its real widgets: an import fills the table, clicks on rows (and
// below them) draw the clicked molecule and count the selection, the filter narrows the rows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <QWebEngineView>

#include "SceneFixture.h"
#include "TestSupport.h"

namespace molbench::qttest {
namespace {

void press(SceneFixture& scene, const char* selector) {
  for (auto* button : scene.root()->findChildren<QAbstractButton*>())
    if (button->property("action").toString() == selector) return button->click();
  FAIL() << "no button sends " << selector;
}

// A mouse click at a point of the table's rows area, as the user makes it.
void clickAt(QTableView* table, QPoint point, Qt::KeyboardModifiers modifiers = {}) {
  QPointF local(point), global(table->viewport()->mapToGlobal(point));
  QMouseEvent down(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                   modifiers);
  QMouseEvent up(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                 modifiers);
  QApplication::sendEvent(table->viewport(), &down);
  QApplication::sendEvent(table->viewport(), &up);
  QCoreApplication::processEvents();
}

TEST(ViewerTab, ImportClickAndFilterThroughTheWidgets) {
  SceneFixture scene("ViewerController");
  scene.platform().userDefaults().set("pathToobabel", testing::kObabel);
  scene.root()->resize(1000, 700);
  scene.root()->show();
  std::string input = testing::testDataPath("small.sdf");
  scene.widgetAs<QLineEdit>("inputFilepath")->setText(QString::fromStdString(input));
  press(scene, "importData:");
  auto* table = scene.widgetAs<QTableView>("tableView");
  ASSERT_EQ(table->model()->rowCount(), 10);
  EXPECT_EQ(table->model()->data(table->model()->index(4, 1)).toString(), "pyridine");
  for (int column : {0, 1, 2, 3})  // the row keys' columns, in their order, headed for a reader
    EXPECT_EQ(table->model()->headerData(column, Qt::Horizontal),
              QStringList({"#", "Title", "Tag", "File"})[column]);

  auto* count = scene.widgetAs<QLineEdit>("selectedCount");
  auto* picture = scene.widgetAs<QWebEngineView>("molView");
  clickAt(table, table->visualRect(table->model()->index(4, 1)).center());
  EXPECT_EQ(count->text(), "1");
  EXPECT_TRUE(waitUntil([&] { return !picture->url().isEmpty(); }));
  EXPECT_EQ(picture->url().toLocalFile().toStdString(),
            scene.platform().temporaryDirectory() + "//myjunk.png");
  clickAt(table, table->visualRect(table->model()->index(6, 1)).center(), Qt::ControlModifier);
  EXPECT_EQ(count->text(), "2");
  EXPECT_NE(scene.platform().diagnostics().back().find(" -f 7 -l 7 "), std::string::npos);

  // Below the last row: Qt clears the selection, the count follows, nothing is drawn.
  size_t lines = scene.platform().diagnostics().size();
  clickAt(table, QPoint(20, table->viewport()->height() - 5));
  EXPECT_EQ(count->text(), "0");
  EXPECT_EQ(scene.platform().diagnostics().size(), lines);

  scene.widgetAs<QLineEdit>("smartsString")->setText("c1ccccc1");
  press(scene, "smartsFilter:");
  EXPECT_EQ(table->model()->rowCount(), testing::obabelCount({input, "-onul", "-s", "c1ccccc1"}));
  press(scene, "deleteAll:");
  EXPECT_EQ(table->model()->rowCount(), 0);

  // Untitled molecules of the filtered file show by their ordinal; the other file's do not.
  std::string untitled = scene.platform().temporaryDirectory() + "/untitled.smi";
  testing::writeFile(untitled, "CCO\nc1ccccc1\nc1ccccc1O\nCCCC\n");
  press(scene, "importData:");
  scene.widgetAs<QLineEdit>("inputFilepath")->setText(QString::fromStdString(untitled));
  press(scene, "importData:");
  scene.widgetAs<QLineEdit>("smartsString")->setText("c");
  press(scene, "smartsFilter:");
  auto title = [&](int row) { return table->model()->index(row, 1).data().toString(); };
  ASSERT_EQ(table->model()->rowCount(), 2);
  EXPECT_EQ(title(0) + title(1), "mol2mol3");

  // Rows shown anew keep no selection (Qt drops it), and the count follows.
  for (const char* action : {"importData:", "smartsFilter:", "undoFilter:", "deleteAll:"}) {
    clickAt(table, table->visualRect(table->model()->index(0, 1)).center());
    ASSERT_EQ(count->text(), "1") << action;
    press(scene, action);
    EXPECT_EQ(count->text(), "0") << action;
    EXPECT_FALSE(table->selectionModel()->hasSelection()) << action;
  }
}

}  // namespace
}  // namespace molbench::qttest
