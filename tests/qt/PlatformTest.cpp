// The Qt platform's services: stored settings, the main queue, the open panel and alerts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <thread>

#include "SceneFixture.h"
#include "qt/AlertBox.h"
#include "qt/OpenPanel.h"
#include "qt/QtUserDefaults.h"
#include "qt/WebEngineSetup.h"

namespace molbench::qttest {
namespace {

// Absent against empty is shown by the preferences dialog's test; here text that QSettings' own
// file format would otherwise read back altered.
TEST(QtUserDefaults, StoresTextExactly) {
  ScopedConfigHome home;
  qt::QtUserDefaults defaults;
  for (const std::string value : {"", "  /opt/a,b;c/obabel ", "@Variant(x)", "ünïcødé\nzwei"}) {
    defaults.set("pathToobabel", value);
    EXPECT_EQ(qt::QtUserDefaults().stringForKey("pathToobabel"), value);
  }
}

// The switch the 3D view needs joins the user's own; none of theirs is dropped or doubled.
TEST(WebEngineSetup, AddsTheSoftwareWebGLSwitchToTheUsersOwn) {
  EXPECT_EQ(qt::withWebGLSwitches(qt::withWebGLSwitches("--lang=de")),
            "--lang=de --ignore-gpu-blocklist");
}

TEST(QtMainQueue, RunsWorkFromOtherThreadsOnTheMainThreadInOrder) {
  qt::QtMainQueue queue;
  std::vector<std::pair<int, std::thread::id>> runs;
  std::thread([&] {
    for (int i = 0; i < 3; ++i)
      queue.async([&, i] { runs.emplace_back(i, std::this_thread::get_id()); });
  }).join();
  ASSERT_TRUE(waitUntil([&] { return runs.size() == 3; }));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(runs[i], std::make_pair(i, std::this_thread::get_id()));
}

// Runs a panel for molecule files and, once it shows, types the text into its name field and
// presses Open.
std::optional<std::string> chooseTyping(const std::string& typed) {
  platform::OpenPanelRequest request;
  request.allowedFileTypes = std::vector<std::string>{"sdf", "mol"};
  whenIdle([typed] {
    auto* panel = qobject_cast<qt::OpenPanel*>(QApplication::activeModalWidget());
    if (!panel) return;
    panel->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(typed));
    panel->accept();
    if (panel->isVisible()) panel->reject();
  });
  return qt::OpenPanel::run(request);
}

TEST(OpenPanel, ChoosesAnAllowedFileOrAFolderAndCancelChoosesNothing) {
  ScopedConfigHome home;
  std::string folder = home.folder() + "/data dir";
  std::filesystem::create_directories(folder + "/inner");
  std::ofstream(folder + "/egfr.sdf") << "x";
  std::ofstream(folder + "/notes.txt") << "x";
  EXPECT_EQ(chooseTyping(folder + "/egfr.sdf"), folder + "/egfr.sdf");
  EXPECT_EQ(chooseTyping(folder + "/notes.txt"), std::nullopt) << "typed past the name filter";
  EXPECT_EQ(chooseTyping(folder + "/inner/"), folder + "/inner");
  whenIdle([] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(qt::OpenPanel::run({}), std::nullopt);
}

TEST(AlertBox, KeepsTheButtonsInOrderMakesTheFirstDefaultAndAnswersThePressedIndex) {
  const platform::AlertRequest request{
      "Message", "Details", platform::AlertStyle::Warning, {"OK", "Retry", "Cancel"}};
  auto box = qt::makeAlertBox(request);
  box->show();
  auto buttons = box->findChildren<QPushButton*>();
  std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) {
    return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
  });
  QStringList titles;
  for (auto* button : buttons) titles << button->text();
  EXPECT_EQ(titles, (QStringList{"OK", "Retry", "Cancel"}));
  EXPECT_EQ(box->defaultButton(), buttons.value(0));

  whenIdle([] {
    if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      for (auto* button : shown->buttons())
        if (button->text() == "Retry") button->click();
  });
  EXPECT_EQ(qt::runAlertBox(request), 1);
}

}  // namespace
}  // namespace molbench::qttest
