#include "qt/Adapters.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QWebEngineView>

#include "qt/QtControls.h"
#include "qt/QtTable.h"
#include "qt/QtView.h"

namespace molbench::qt {

namespace {

QWebEngineView* webViewIn(QWidget* widget) {
  if (auto* view = qobject_cast<QWebEngineView*>(widget)) return view;
  // Only a bare QWidget is a placeholder; anything else is a layout mistake.
  if (widget->metaObject() != &QWidget::staticMetaObject) return nullptr;
  auto* view = new QWebEngineView(widget);
  view->setObjectName(widget->objectName() + "Page");
  placeInside(widget, view);
  return view;
}

}  // namespace

std::shared_ptr<platform::Control> makeAdapter(platform::ControlKind kind, QWidget* widget) {
  using platform::ControlKind;
  if (!widget) return nullptr;
  switch (kind) {
    case ControlKind::View:
      return std::make_shared<QtView>(widget);
    case ControlKind::TextField:
      if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget))
        return std::make_shared<QtTextField>(widget);
      return nullptr;
    case ControlKind::PopUpButton:
      if (auto* combo = qobject_cast<QComboBox*>(widget))
        return std::make_shared<QtPopUpButton>(combo);
      return nullptr;
    case ControlKind::Button:
      if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return std::make_shared<QtButton>(button);
      return nullptr;
    case ControlKind::TextView:
      if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        return std::make_shared<QtTextView>(edit);
      return nullptr;
    case ControlKind::WebView:
      if (auto* view = webViewIn(widget)) return std::make_shared<QtWebView>(view);
      return nullptr;
    case ControlKind::TableView:
      if (auto* table = qobject_cast<QTableView*>(widget))
        return std::make_shared<QtTableView>(table);
      return nullptr;
    case ControlKind::ArrayController:
      return nullptr;
  }
  return nullptr;
}

std::shared_ptr<platform::Control> makeSenderAdapter(QWidget* widget) {
  using platform::ControlKind;
  for (auto kind : {ControlKind::Button, ControlKind::PopUpButton, ControlKind::TableView})
    if (auto adapter = makeAdapter(kind, widget)) return adapter;
  return nullptr;
}

QWidget* widgetOf(const platform::Control& control) {
  if (auto* view = dynamic_cast<const QtView*>(&control)) return view->widget();
  if (auto* field = dynamic_cast<const QtTextField*>(&control)) return field->widget();
  if (auto* popup = dynamic_cast<const QtPopUpButton*>(&control)) return popup->widget();
  if (auto* button = dynamic_cast<const QtButton*>(&control)) return button->widget();
  if (auto* text = dynamic_cast<const QtTextView*>(&control)) return text->widget();
  if (auto* web = dynamic_cast<const QtWebView*>(&control)) return web->widget();
  if (auto* table = dynamic_cast<const QtTableView*>(&control)) return table->widget();
  return nullptr;
}

std::string expectedWidgetFor(platform::ControlKind kind) {
  using platform::ControlKind;
  switch (kind) {
    case ControlKind::View:
      return "a QWidget";
    case ControlKind::TextField:
      return "a QLineEdit or QPlainTextEdit";
    case ControlKind::PopUpButton:
      return "a QComboBox";
    case ControlKind::Button:
      return "a QCheckBox, QRadioButton or QPushButton";
    case ControlKind::TextView:
      return "a QPlainTextEdit";
    case ControlKind::WebView:
      return "a plain QWidget placeholder";
    case ControlKind::TableView:
      return "a QTableView";
    case ControlKind::ArrayController:
      return "no widget";
  }
  return "a widget";
}

}  // namespace molbench::qt
