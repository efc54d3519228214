// The search pane's scene in the layout "Main": every declared outlet is a widget of the right
// kind, and every action is sent by exactly one control (the popups by their own).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUiLoader>
#include <map>
#include <memory>

#include "search/SearchViewController.h"

namespace {

using molbench::platform::ControlKind;

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
    bool fits = outlet.kind == ControlKind::PopUpButton
                    ? qobject_cast<QComboBox*>(widget) != nullptr
                : outlet.kind == ControlKind::TextField
                    ? qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)
                    : widget->metaObject() == &QWidget::staticMetaObject;
    EXPECT_TRUE(fits) << outlet.name;
  }
  auto* editor = scene->findChild<QWidget*>("molView");
  EXPECT_GE(editor->minimumWidth(), 380);
  EXPECT_GE(editor->minimumHeight(), 340);

  std::multimap<std::string, std::string> senders;  // selector -> control name
  for (auto* widget : scene->findChildren<QWidget*>()) {
    auto selector = widget->property("action").toString().toStdString();
    if (!selector.empty()) senders.emplace(selector, widget->objectName().toStdString());
  }
  for (const auto& action : bindings.actionInfo()) {
    ASSERT_EQ(senders.count(action.selector), 1u) << action.selector;
    if (!action.senders.empty()) {
      EXPECT_EQ(senders.find(action.selector)->second, action.senders.front());
    }
  }
  EXPECT_EQ(senders.size(), bindings.actionInfo().size());
}

}  // namespace
