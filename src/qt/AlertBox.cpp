#include "qt/AlertBox.h"

#include <QPushButton>

namespace molbench::qt {

namespace {

QMessageBox::Icon iconFor(platform::AlertStyle style) {
  switch (style) {
    case platform::AlertStyle::Warning:
      return QMessageBox::Warning;
    case platform::AlertStyle::Informational:
      return QMessageBox::Information;
    case platform::AlertStyle::Critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> makeAlertBox(const platform::AlertRequest& request, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QStringLiteral("Molbench"));
  box->setIcon(iconFor(request.style));
  box->setText(QString::fromStdString(request.messageText));
  box->setInformativeText(QString::fromStdString(request.informativeText));
  std::vector<std::string> titles = request.buttons;
  if (titles.empty()) titles.push_back("OK");
  QPushButton* last = nullptr;
  for (size_t i = 0; i < titles.size(); ++i) {
    // One role for all keeps the buttons in the order given on every platform layout.
    last = box->addButton(QString::fromStdString(titles[i]), QMessageBox::ActionRole);
    if (i == 0) box->setDefaultButton(last);
  }
  box->setEscapeButton(last);
  return box;
}

int pressedButton(const QMessageBox& box) {
  const auto buttons = box.buttons();
  int count = static_cast<int>(buttons.size());
  for (int i = 0; i < count; ++i)
    if (buttons[i] == box.clickedButton()) return i;
  return count - 1;
}

int runAlertBox(const platform::AlertRequest& request, QWidget* parent) {
  auto box = makeAlertBox(request, parent);
  box->exec();
  return pressedButton(*box);
}

}  // namespace molbench::qt
