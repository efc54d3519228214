// Loads the scenes of the layout "Main" into real widgets.
//
// The layout is one Qt Designer file per scene, compiled in as ":/Main/<Identifier>.ui":
// - The top-level widget is a QWidget whose objectName is the scene's identifier.
// - Each outlet of the pane is the widget whose objectName is the outlet's name: a QLineEdit
//   (or a QPlainTextEdit for a multi-line result) for a text field, a QComboBox for a popup, a
//   QCheckBox, QRadioButton or QPushButton for a button, a QPlainTextEdit for a text view, a
//   QTableView for a table, any QWidget for a view, and a plain QWidget placeholder for a web
//   view (the loader fills it with a QWebEngineView).
// - An array controller is no widget: the loader makes it, and the QTableView whose dynamic
//   property "content" names it shows its rows, one column per key listed in the table's
//   dynamic property "columns" ("molNumber,molName"), headed by the words of its dynamic
//   property "headings" ("#,Title") where it has them, else by the keys.
// - A control that sends an action carries the dynamic string property "action" holding the
//   selector ("convertFile:"): buttons send it when clicked, combo boxes when the user picks
//   an item (never when code selects one), tables on a click. A QAction of the file may carry
//   it too, for the window's menus. A sender that is no outlet still needs a unique name.
// - A widget with the dynamic string property "scene" is a container for another scene: when
//   the registry knows that scene, its view replaces the container's placeholder children and
//   its pane becomes a child of this scene's pane.
// What the layout gets wrong (a missing widget, a widget of the wrong kind, an unknown
// selector, a missing file) is reported as one diagnostic line each and leaves that outlet or
// action unconnected; the scene still loads.
#pragma once

#include <QIODevice>
#include <QString>
#include <memory>
#include <string>

#include "platform/ViewController.h"
#include "qt/QtView.h"

namespace molbench::qt {

QString layoutResource(const std::string& identifier);
bool hasLayout(const std::string& identifier);

// Builds the controller's scene, connects its outlets and actions and fills its containers.
std::shared_ptr<SceneView> loadScene(platform::ViewController& controller);
// The same from layout text read elsewhere.
std::shared_ptr<SceneView> loadScene(platform::ViewController& controller, QIODevice& layout);

}  // namespace molbench::qt
