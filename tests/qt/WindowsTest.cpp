// The program's windows: the start-up alert, the tabs, the menus, the preferences round trip
// through QSettings and the end of the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "SceneFixture.h"
#include "app/Scenes.h"
#include "platform/FileUrl.h"
#include "platform/SceneRegistry.h"
#include "qt/Application.h"
#include "qt/MainWindow.h"
#include "qt/QtUserDefaults.h"

namespace molbench::qttest {
namespace {

// What the first modal message box showed; it is answered with its first button.
struct ShownAlert {
  QString text;
  QString informative;
  QStringList buttons;
  bool mainWindowVisible = false;
};

std::optional<ShownAlert> mainWindowStartUp(platform::Platform& platform, std::string& output) {
  std::optional<ShownAlert> shown;
  QTimer answer;
  answer.setSingleShot(true);
  QObject::connect(&answer, &QTimer::timeout, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown = ShownAlert{box->text(), box->informativeText(), {}, false};
    for (auto* button : box->buttons()) shown->buttons << button->text();
    for (auto* window : QApplication::topLevelWidgets())
      if (qobject_cast<QMainWindow*>(window) && window->isVisible())
        shown->mainWindowVisible = true;
    box->buttons().first()->click();
  });
  answer.start(0);
  registerScenes();
  testing::internal::CaptureStdout();
  { qt::MainWindow window(platform); }
  output = testing::internal::GetCapturedStdout();
  return shown;
}

TEST(MainWindow, AsksForTheObabelPathBeforeItShowsWhenNoneIsStored) {
  ScopedConfigHome home;
  qt::QtPlatform platform;
  std::string output;
  auto alert = mainWindowStartUp(platform, output);
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->text, "You must add path to Openbabel in the preferences");
  EXPECT_EQ(alert->informative,
            "You can find the path by typing which obabel in a Terminal window");
  EXPECT_EQ(alert->buttons, (QStringList{"OK", "Cancel"}));
  EXPECT_FALSE(alert->mainWindowVisible);
  EXPECT_EQ(output, "Need obabel Path\n");

  platform.userDefaults().set("pathToobabel", "");
  EXPECT_TRUE(mainWindowStartUp(platform, output));
  EXPECT_EQ(output, "\n");

  platform.userDefaults().set("pathToobabel", "Need Path");
  EXPECT_FALSE(mainWindowStartUp(platform, output));
  EXPECT_EQ(output, "Need Path\n");
}

QAction* menuItem(QMainWindow& window, const QString& menu, const QString& item) {
  for (QAction* top : window.menuBar()->actions()) {
    if (top->text().remove('&') != menu || !top->menu()) continue;
    for (QAction* action : top->menu()->actions())
      if (action->text() == item) return action;
  }
  return nullptr;
}

class Windows : public ::testing::Test {
 protected:
  Windows() {
    registerScenes();
    window_ = std::make_unique<qt::MainWindow>(platform_);
  }
  ~Windows() override {
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QAction* item(const char* menu, const char* title) {
    QAction* action = menuItem(*window_, menu, title);
    EXPECT_NE(action, nullptr) << menu << " > " << title;
    return action;
  }
  std::optional<std::string> storedPath() {
    return qt::QtUserDefaults().stringForKey("pathToobabel");
  }
  QLineEdit* openPreferences() {
    item("Edit", "Preferences...")->trigger();
    auto* preferences = window_->preferencesWindow();
    return preferences ? preferences->findChild<QLineEdit*>("pathToobabel") : nullptr;
  }
  void press(const char* button) {
    window_->preferencesWindow()->findChild<QPushButton*>(button)->click();
  }

  TestPlatform platform_;
  std::unique_ptr<qt::MainWindow> window_;
};

TEST_F(Windows, ShowThePanesAsTabsOrSayTheyComeLater) {
  auto* tabs = window_->findChild<QTabWidget*>("paneTabs");
  ASSERT_NE(tabs, nullptr);
  const std::vector<std::pair<QString, std::string>> expected = {{"Convert", "Convertcontroller"},
                                                                 {"Search", "SearchViewController"},
                                                                 {"Viewer", "ViewerController"},
                                                                 {"Lookup", "seekerController"}};
  ASSERT_EQ(tabs->count(), 4);
  for (int i = 0; i < 4; ++i) {
    const auto& [title, scene] = expected[static_cast<size_t>(i)];
    SCOPED_TRACE(scene);
    EXPECT_EQ(tabs->tabText(i), title);
    QWidget* page = tabs->widget(i);
    if (platform::SceneRegistry::shared().contains(scene)) {
      EXPECT_NE(page->findChild<QWidget*>(QString::fromStdString(scene)), nullptr);
      bool adopted = false;
      for (const auto& child : window_->controller()->childViewControllers())
        adopted = adopted || child->identifier() == scene;
      EXPECT_TRUE(adopted);
    } else {
      auto* label = page->findChild<QLabel*>();
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->text(), "The " + title + " pane comes later.");
    }
  }
}

TEST_F(Windows, MenusCarryTheUsualItemsAndShortcuts) {
  EXPECT_EQ(item("File", "Quit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
  EXPECT_EQ(item("Help", "Molbench Help")->shortcut(), QKeySequence(Qt::Key_F1));
  item("Help", "Molbench Help")->trigger();
  ASSERT_EQ(platform_.script().opened().size(), 1u);
  auto page = platform::FileUrl::fromString(platform_.script().opened()[0]);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->lastPathComponent(), "index.html");
  EXPECT_TRUE(std::filesystem::exists(page->path()));
}

TEST_F(Windows, PreferencesStoreTheFieldsTextOnOKAndNothingOnCancel) {
  QLineEdit* field = openPreferences();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->placeholderText(), "Need Path");
  EXPECT_EQ(field->text(), "");
  press("cancelButton");
  EXPECT_EQ(window_->preferencesWindow(), nullptr);
  EXPECT_EQ(storedPath(), std::nullopt);

  // The untouched hint stores the empty text, so the start-up alert stays.
  openPreferences();
  press("okButton");
  EXPECT_EQ(window_->preferencesWindow(), nullptr);
  EXPECT_EQ(storedPath(), "");

  openPreferences()->setText("  /opt/open babel/bin/obabel ");
  press("okButton");
  EXPECT_EQ(storedPath(), "  /opt/open babel/bin/obabel ");

  field = openPreferences();
  EXPECT_EQ(field->text(), "  /opt/open babel/bin/obabel ");
  field->setText("/usr/bin/obabel");
  press("cancelButton");
  EXPECT_EQ(storedPath(), "  /opt/open babel/bin/obabel ");
  // A fresh pane shows what is stored, not what was typed before Cancel.
  EXPECT_EQ(openPreferences()->text(), "  /opt/open babel/bin/obabel ");
}

TEST_F(Windows, ReturnInThePreferencesFieldMeansOK) {
  QLineEdit* field = openPreferences();
  window_->preferencesWindow()->activateWindow();
  field->setFocus();
  field->setText("/usr/bin/obabel");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  EXPECT_EQ(storedPath(), "/usr/bin/obabel");
  EXPECT_EQ(window_->preferencesWindow(), nullptr);
}

TEST_F(Windows, TheToolsWindowIsOneWindowKeptWhileTheProgramRuns) {
  item("Window", "Tools")->trigger();
  auto* tools = window_->toolsWindow();
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(tools->windowTitle(), "Tools");
  if (!platform::SceneRegistry::shared().contains("ToolsController")) {
    EXPECT_EQ(tools->findChild<QLabel*>("placeholder")->text(), "The tools come later.");
  }
  tools->close();
  EXPECT_EQ(window_->toolsWindow(), nullptr);
  item("Window", "Tools")->trigger();
  EXPECT_EQ(window_->toolsWindow(), tools);
}

// Runs the program with a scripted platform; the step acts once the event loop runs. A
// program that does not end within the deadline fails the test instead of hanging it.
bool programEnds(std::function<void()> step) {
  TestPlatform platform;
  bool ended = true;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [&ended] {
    ended = false;
    QCoreApplication::quit();
  });
  deadline.start(10000);
  whenIdle(std::move(step));
  qt::runApplication(platform);
  return ended;
}

qt::MainWindow* shownMainWindow() {
  for (auto* window : QApplication::topLevelWidgets())
    if (auto* main = qobject_cast<qt::MainWindow*>(window); main && main->isVisible()) return main;
  return nullptr;
}

TEST(Program, EndsWhenItsLastWindowCloses) {
  bool ranOnWithTools = false;
  EXPECT_TRUE(programEnds([&ranOnWithTools] {
    auto* main = shownMainWindow();
    ASSERT_NE(main, nullptr);
    menuItem(*main, "Edit", "Preferences...")->trigger();
    menuItem(*main, "Window", "Tools")->trigger();
    main->close();
    QTimer::singleShot(50, main, [main, &ranOnWithTools] {
      ranOnWithTools = true;
      main->toolsWindow()->close();
    });
  }));
  EXPECT_TRUE(ranOnWithTools);
}

TEST(Program, EndsOnQuitWhileOtherWindowsAreOpen) {
  EXPECT_TRUE(programEnds([] {
    auto* main = shownMainWindow();
    ASSERT_NE(main, nullptr);
    menuItem(*main, "Window", "Tools")->trigger();
    menuItem(*main, "File", "Quit")->trigger();
  }));
}

}  // namespace
}  // namespace molbench::qttest
