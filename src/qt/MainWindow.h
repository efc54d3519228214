// The main window: the scene "ViewController" with the panes as tabs, and the menus. The
// menu items that belong to the pane are the QActions of its layout, placed by their dynamic
// property "menu"; opening the preferences and tools windows is the window's own business.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "platform/Platform.h"
#include "platform/ViewController.h"
#include "qt/SceneWindow.h"

class QMenu;

namespace molbench::qt {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Loads the main scene at once: a missing obabel path is reported before the window shows.
  explicit MainWindow(platform::Platform& platform, QWidget* parent = nullptr);
  ~MainWindow() override;

  platform::ViewController* controller() const { return controller_.get(); }
  // The windows currently open; null when closed.
  SceneWindow* preferencesWindow() const;
  SceneWindow* toolsWindow() const;

 public slots:
  void showPreferences();
  void showTools();

 private:
  platform::Platform& platform_;
  std::shared_ptr<platform::ViewController> controller_;
  QPointer<SceneWindow> preferences_;
  QPointer<SceneWindow> tools_;

  void buildMenus();
  void addSceneActions(QMenu* menu, const QString& name);
};

}  // namespace molbench::qt
