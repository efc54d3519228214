// The search pane's scene in the layout "Main": every outlet the pane declares is a widget of
// the right kind, and every action is sent by some control.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUiLoader>
#include <QWidget>
#include <memory>
#include <set>

#include "search/SearchViewController.h"

namespace {

using molbench::platform::ControlKind;

bool widgetFits(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::TextField:
      return qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
    case ControlKind::PopUpButton:
      return qobject_cast<QComboBox*>(widget);
    case ControlKind::WebView:
      return widget->metaObject() == &QWidget::staticMetaObject;
    default:
      return false;
  }
}

TEST(SearchLayout, DeclaresEveryOutletAndAction) {
  QFile file(":/Main/SearchViewController.ui");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QUiLoader loader;
  std::unique_ptr<QWidget> scene(loader.load(&file));
  ASSERT_TRUE(scene);
  EXPECT_EQ(scene->objectName(), "SearchViewController");

  const auto& bindings = molbench::SearchViewController::bindings();
  for (const auto& outlet : bindings.outletInfo()) {
    auto* widget = scene->findChild<QWidget*>(QString::fromStdString(outlet.name));
    ASSERT_NE(widget, nullptr) << outlet.name;
    EXPECT_TRUE(widgetFits(widget, outlet.kind)) << outlet.name;
  }
  auto* editor = scene->findChild<QWidget*>("molView");
  EXPECT_GE(editor->minimumWidth(), 380);
  EXPECT_GE(editor->minimumHeight(), 340);

  std::set<std::string> sent;
  for (auto* widget : scene->findChildren<QWidget*>()) {
    auto selector = widget->property("action").toString().toStdString();
    if (selector.empty()) continue;
    EXPECT_TRUE(sent.insert(selector).second) << selector << " is sent by two controls";
    for (const auto& action : bindings.actionInfo()) {
      if (action.selector == selector && !action.senders.empty()) {
        EXPECT_EQ(action.senders.front(), widget->objectName().toStdString());
      }
    }
  }
  for (const auto& action : bindings.actionInfo())
    EXPECT_TRUE(sent.count(action.selector)) << action.selector << " is sent by no control";
}

}  // namespace
