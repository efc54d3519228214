// A window of its own around one scene, or around a label saying the scene comes later when
// the registry does not have it yet.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/ViewController.h"

namespace molbench::qt {

class SceneWindow : public QDialog {
  Q_OBJECT
 public:
  SceneWindow(const std::string& identifier, platform::Platform& platform, const QString& title,
              const QString& placeholder, QWidget* parent = nullptr,
              Qt::WindowFlags flags = Qt::Dialog);

  // The pane shown; null while the scene is a placeholder.
  platform::ViewController* pane() const { return pane_.get(); }

 private:
  std::shared_ptr<platform::ViewController> pane_;
};

}  // namespace molbench::qt
