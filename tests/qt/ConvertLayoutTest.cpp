// The conversion pane's layout offers every outlet as a widget of its kind and a control for
// every action, so the loader can connect all of it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUiLoader>
#include <QVariant>
#include <QWidget>
#include <memory>

#include "convert/Convertcontroller.h"

namespace {

using molbench::Convertcontroller;
using molbench::platform::ControlKind;

std::unique_ptr<QWidget> loadConvertLayout() {
  QFile file(QString(MOLBENCH_TEST_DATA_DIR) + "/../../resources/Main/Convertcontroller.ui");
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  QUiLoader loader;
  return std::unique_ptr<QWidget>(loader.load(&file));
}

bool isOfKind(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::TextField:
      return qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
    case ControlKind::PopUpButton:
      return qobject_cast<QComboBox*>(widget);
    case ControlKind::Button:
      return qobject_cast<QAbstractButton*>(widget);
    default:
      return false;
  }
}

TEST(ConvertLayout, EveryOutletAndActionHasItsControl) {
  auto root = loadConvertLayout();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->objectName(), "Convertcontroller");

  const auto& bindings = Convertcontroller::bindings();
  ASSERT_EQ(bindings.outletInfo().size(), 32u);
  for (const auto& outlet : bindings.outletInfo()) {
    auto found = root->findChildren<QWidget*>(QString::fromStdString(outlet.name));
    ASSERT_EQ(found.size(), 1) << outlet.name;
    EXPECT_TRUE(isOfKind(found.front(), outlet.kind)) << outlet.name;
  }
  EXPECT_TRUE(root->findChild<QPlainTextEdit*>("obabelText"));

  auto senders = root->findChildren<QWidget*>();
  for (const auto& action : bindings.actionInfo()) {
    int sending = 0;
    for (auto* widget : senders)
      if (widget->property("action").toString().toStdString() == action.selector) ++sending;
    EXPECT_GE(sending, 1) << action.selector;
    for (const auto& name : action.senders)
      EXPECT_EQ(root->findChild<QWidget*>(QString::fromStdString(name))
                    ->property("action")
                    .toString()
                    .toStdString(),
                action.selector);
  }
}

TEST(ConvertLayout, RangeButtonsFormOneExclusiveGroup) {
  auto root = loadConvertLayout();
  ASSERT_TRUE(root);
  auto* all = root->findChild<QAbstractButton*>("convertAll");
  auto* selection = root->findChild<QAbstractButton*>("convertSeletion");
  ASSERT_TRUE(all && selection && all->group());
  EXPECT_EQ(all->group(), selection->group());
  EXPECT_TRUE(all->group()->exclusive());
  all->setChecked(true);
  selection->setChecked(true);
  EXPECT_FALSE(all->isChecked());
}

}  // namespace
