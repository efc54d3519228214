// The program's windows: the start-up alert, the preferences round trip through QSettings and
// the end of the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "SceneFixture.h"
#include "app/Scenes.h"
#include "qt/Application.h"
#include "qt/MainWindow.h"
#include "qt/QtUserDefaults.h"

namespace molbench::qttest {
namespace {

// Makes the main window with the real alert box, answered with its first button; the alert's
// text, if one showed, and what the window printed.
std::optional<QString> startUpAlert(platform::Platform& platform, std::string& output) {
  std::optional<QString> shown;
  QTimer answer;  // dies with this call, so no answer is left waiting when no alert shows
  answer.setSingleShot(true);
  QObject::connect(&answer, &QTimer::timeout, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->buttons().first()->click();
    }
  });
  answer.start(0);
  registerScenes();
  testing::internal::CaptureStdout();
  { qt::MainWindow window(platform); }
  output = testing::internal::GetCapturedStdout();
  return shown;
}

TEST(MainWindow, AlertsWhenTheStoredObabelPathIsAbsentEmptyOrBlank) {
  ScopedConfigHome home;
  qt::QtPlatform platform;
  std::string output;
  EXPECT_EQ(startUpAlert(platform, output), "You must add path to Openbabel in the preferences");
  EXPECT_EQ(output, "Need obabel Path\n");
  platform.userDefaults().set("pathToobabel", "");
  EXPECT_TRUE(startUpAlert(platform, output));
  platform.userDefaults().set("pathToobabel", " \t");
  EXPECT_TRUE(startUpAlert(platform, output));
  platform.userDefaults().set("pathToobabel", "Need Path");
  EXPECT_FALSE(startUpAlert(platform, output));
  EXPECT_EQ(output, "Need Path\n");
}

QAction* menuItem(QMainWindow& window, const QString& menu, const QString& item) {
  for (QAction* top : window.menuBar()->actions()) {
    if (top->text().remove('&') != menu || !top->menu()) continue;
    for (QAction* action : top->menu()->actions())
      if (action->text() == item) return action;
  }
  ADD_FAILURE() << "no menu item " << item.toStdString();
  return nullptr;
}

TEST(Preferences, StoreTheFieldsTextOnOKOrReturnAndNothingOnCancel) {
  TestPlatform platform;
  registerScenes();
  qt::MainWindow window(platform);  // deletes the preferences windows it made
  auto open = [&window] {
    menuItem(window, "Edit", "Preferences...")->trigger();
    return window.preferencesWindow()->findChild<QLineEdit*>("pathToobabel");
  };
  auto press = [&window](const char* button) {
    window.preferencesWindow()->findChild<QPushButton*>(button)->click();
  };
  auto stored = [] { return qt::QtUserDefaults().stringForKey("pathToobabel"); };

  ASSERT_NE(open(), nullptr);
  press("cancelButton");
  EXPECT_EQ(window.preferencesWindow(), nullptr);
  EXPECT_EQ(stored(), std::nullopt);
  // The untouched placeholder stores the empty text, so the start-up alert stays.
  EXPECT_EQ(open()->placeholderText(), "Need Path");
  press("okButton");
  EXPECT_EQ(stored(), "");

  open()->setText("  /opt/open babel/bin/obabel ");
  press("okButton");
  EXPECT_EQ(stored(), "  /opt/open babel/bin/obabel ");
  open()->setText("/usr/bin/obabel");
  press("cancelButton");
  EXPECT_EQ(stored(), "  /opt/open babel/bin/obabel ");

  QLineEdit* field = open();
  EXPECT_EQ(field->text(), "  /opt/open babel/bin/obabel ");
  field->setFocus();
  field->setText("/usr/bin/obabel");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  EXPECT_EQ(stored(), "/usr/bin/obabel");
  EXPECT_EQ(window.preferencesWindow(), nullptr);

  // A settings folder that is a file: OK alerts and keeps the dialog with its text open.
  auto folder =
      std::filesystem::path(qt::QtUserDefaults::settingsFile().toStdString()).parent_path();
  std::filesystem::remove_all(folder);
  std::ofstream(folder) << "not a folder";
  size_t alerts = platform.script().alerts().size();
  open()->setText("/opt/obabel");
  press("okButton");
  ASSERT_EQ(platform.script().alerts().size(), alerts + 1);
  EXPECT_EQ(open()->text(), "/opt/obabel") << "the dialog stays open with the text typed";
}

// Runs the program with a scripted platform; the step acts on the shown main window once the
// event loop runs. A program that does not end within the deadline fails instead of hanging.
bool programEnds(std::function<void(qt::MainWindow&)> step) {
  TestPlatform platform;
  bool ended = true;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [&ended] {
    ended = false;
    QCoreApplication::quit();
  });
  deadline.start(10000);
  whenIdle([step] {
    for (auto* window : QApplication::topLevelWidgets())
      if (auto* main = qobject_cast<qt::MainWindow*>(window); main && main->isVisible())
        return step(*main);
  });
  qt::runApplication(platform);
  return ended;
}

TEST(Program, EndsOnQuitAndWhenItsLastWindowCloses) {
  EXPECT_TRUE(programEnds([](qt::MainWindow& main) {
    menuItem(main, "Window", "Tools")->trigger();
    menuItem(main, "File", "Quit")->trigger();
  }));

  bool ranOnWithTools = false;
  EXPECT_TRUE(programEnds([&ranOnWithTools](qt::MainWindow& main) {
    main.showPreferences();
    main.showTools();
    main.close();
    QTimer::singleShot(50, &main, [&main, &ranOnWithTools] {
      ranOnWithTools = true;
      main.toolsWindow()->close();
    });
  }));
  EXPECT_TRUE(ranOnWithTools);
}

}  // namespace
}  // namespace molbench::qttest
