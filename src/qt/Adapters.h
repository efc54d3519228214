// Which widget of a scene can stand for which kind of control, and the adapter made for it.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "platform/Control.h"

namespace molbench::qt {

// The adapter over the widget, or null when the widget is of the wrong kind. A web view's
// placeholder (a plain QWidget) receives a QWebEngineView that fills it.
std::shared_ptr<platform::Control> makeAdapter(platform::ControlKind kind, QWidget* widget);

// The adapter for a widget that sends an action without being an outlet; null when the
// widget cannot send actions.
std::shared_ptr<platform::Control> makeSenderAdapter(QWidget* widget);

// The widget an adapter forwards to; null once it is gone or for an array controller.
QWidget* widgetOf(const platform::Control& control);

// What a layout must provide for a kind, for diagnostics: "a QComboBox".
std::string expectedWidgetFor(platform::ControlKind kind);

}  // namespace molbench::qt
