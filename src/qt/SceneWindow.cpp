#include "qt/SceneWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/SceneHost.h"

namespace molbench::qt {

SceneWindow::SceneWindow(const std::string& identifier, platform::Platform& platform,
                         const QString& title, const QString& placeholder, QWidget* parent,
                         Qt::WindowFlags flags)
    : QDialog(parent, flags) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* container = new QWidget(this);
  auto* label = new QLabel(placeholder, container);
  label->setObjectName(QStringLiteral("placeholder"));
  label->setAlignment(Qt::AlignCenter);
  (new QVBoxLayout(container))->addWidget(label);
  layout->addWidget(container);
  pane_ = hostScene(identifier, platform, container);
  // A default button loaded before this dialog existed has not told it so; Return in a field
  // would otherwise press whichever button comes first.
  for (auto* button : findChildren<QPushButton*>()) {
    if (!button->isDefault()) continue;
    button->setDefault(false);
    button->setDefault(true);
  }
}

}  // namespace molbench::qt
