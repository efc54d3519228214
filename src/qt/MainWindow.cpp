#include "qt/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "qt/SceneHost.h"

namespace molbench::qt {

MainWindow::MainWindow(platform::Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform) {
  setWindowTitle(QStringLiteral("Molbench"));
  resize(1000, 720);
  auto* central = new QWidget(this);
  auto* label = new QLabel(QStringLiteral("The main window's layout is missing."), central);
  label->setAlignment(Qt::AlignCenter);
  (new QVBoxLayout(central))->addWidget(label);
  setCentralWidget(central);
  controller_ = hostScene("ViewController", platform_, central);
  buildMenus();
}

MainWindow::~MainWindow() {
  // The tools window has no parent, so that it counts as a window of its own.
  delete tools_.data();
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  addSceneActions(file, QStringLiteral("File"));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* preferences = edit->addAction(QStringLiteral("Preferences..."));
  preferences->setObjectName(QStringLiteral("preferencesAction"));
  preferences->setMenuRole(QAction::PreferencesRole);
  preferences->setShortcut(QKeySequence::Preferences);
  connect(preferences, &QAction::triggered, this, &MainWindow::showPreferences);
  addSceneActions(edit, QStringLiteral("Edit"));

  QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
  QAction* tools = window->addAction(QStringLiteral("Tools"));
  tools->setObjectName(QStringLiteral("toolsAction"));
  connect(tools, &QAction::triggered, this, &MainWindow::showTools);
  addSceneActions(window, QStringLiteral("Window"));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  addSceneActions(help, QStringLiteral("Help"));
}

void MainWindow::addSceneActions(QMenu* menu, const QString& name) {
  QWidget* scene = controller_ ? viewWidget(*controller_) : nullptr;
  if (!scene) return;
  for (QAction* action : scene->findChildren<QAction*>()) {
    if (action->property("menu").toString() != name) continue;
    menu->addAction(action);
    // Shortcuts of menu items must work anywhere in the window.
    action->setShortcutContext(Qt::ApplicationShortcut);
  }
}

SceneWindow* MainWindow::preferencesWindow() const {
  return preferences_ && preferences_->isVisible() ? preferences_.data() : nullptr;
}

SceneWindow* MainWindow::toolsWindow() const {
  return tools_ && tools_->isVisible() ? tools_.data() : nullptr;
}

void MainWindow::showPreferences() {
  if (!preferencesWindow()) {
    if (preferences_) preferences_->deleteLater();
    // A fresh pane each time, so the field shows what is stored now.
    preferences_ = new SceneWindow("PrefsViewController", platform_, QStringLiteral("Preferences"),
                                   QStringLiteral("The preferences come later."), this);
    preferences_->setAttribute(Qt::WA_DeleteOnClose);
  }
  preferences_->show();
  preferences_->raise();
  preferences_->activateWindow();
}

void MainWindow::showTools() {
  if (!tools_) {
    // Kept for the program's life, so each tool keeps what the user typed into it.
    tools_ = new SceneWindow("ToolsController", platform_, QStringLiteral("Tools"),
                             QStringLiteral("The tools come later."), nullptr, Qt::Window);
    tools_->resize(900, 640);
  }
  tools_->show();
  tools_->raise();
  tools_->activateWindow();
}

}  // namespace molbench::qt
