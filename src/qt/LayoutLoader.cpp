#include "qt/LayoutLoader.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QTableView>
#include <QUiLoader>
#include <map>
#include <utility>
#include <vector>

#include "platform/ActionDispatch.h"
#include "qt/Adapters.h"
#include "qt/QtTable.h"
#include "qt/SceneHost.h"

namespace molbench::qt {

namespace {

constexpr const char* kActionProperty = "action";
constexpr const char* kSceneProperty = "scene";
constexpr const char* kContentProperty = "content";
constexpr const char* kColumnsProperty = "columns";
constexpr const char* kHeadingsProperty = "headings";

std::string nameOf(const QObject* object) { return object->objectName().toStdString(); }

std::string classOf(const QObject* object) { return object->metaObject()->className(); }

class SceneBinder {
 public:
  SceneBinder(platform::ViewController& controller, QWidget* root)
      : controller_(controller), root_(root), view_(std::make_shared<SceneView>(root)) {}

  std::shared_ptr<SceneView> bind() {
    for (const auto& outlet : controller_.outletInfo()) connectOutlet(outlet);
    connectActions();
    fillContainers();
    return view_;
  }

 private:
  platform::ViewController& controller_;
  QWidget* root_;
  std::shared_ptr<SceneView> view_;
  std::map<QWidget*, std::shared_ptr<platform::Control>> adapters_;

  void report(const std::string& problem) {
    controller_.platform().diagnostic("Scene " + controller_.identifier() + ": " + problem);
  }

  void connectOutlet(const platform::OutletInfo& outlet) {
    if (outlet.kind == platform::ControlKind::ArrayController) {
      connectArrayController(outlet.name);
      return;
    }
    auto* widget = root_->findChild<QWidget*>(QString::fromStdString(outlet.name));
    if (!widget) {
      report("no widget for outlet " + outlet.name + " (expects " + expectedWidgetFor(outlet.kind) +
             ")");
      return;
    }
    auto adapter = makeAdapter(outlet.kind, widget);
    if (!adapter) {
      report("outlet " + outlet.name + " is a " + classOf(widget) + ", expects " +
             expectedWidgetFor(outlet.kind));
      return;
    }
    controller_.connectOutlet(outlet.name, adapter);
    view_->keep(adapter);
    view_->addOutlet(outlet.name, widgetOf(*adapter));
    adapters_[widget] = adapter;
  }

  void connectArrayController(const std::string& name) {
    auto controller = std::make_shared<QtArrayController>();
    for (auto* table : root_->findChildren<QTableView*>()) {
      if (table->property(kContentProperty).toString().toStdString() != name) continue;
      auto list = [table](const char* property) {
        return table->property(property).toString().split(',', Qt::SkipEmptyParts);
      };
      controller->bind(table, list(kColumnsProperty), list(kHeadingsProperty));
    }
    controller_.connectOutlet(name, controller);
    view_->keep(controller);
  }

  bool paneDeclares(const std::string& selector) const {
    for (const auto& action : controller_.actionInfo())
      if (action.selector == selector) return true;
    return false;
  }

  void connectActions() {
    QList<QObject*> senders = root_->findChildren<QObject*>();
    senders.prepend(root_);
    for (QObject* object : senders) {
      QVariant property = object->property(kActionProperty);
      if (!property.isValid()) continue;
      std::string selector = property.toString().toStdString();
      if (!paneDeclares(selector)) {
        report(nameOf(object) + " sends " + selector + ", which the pane does not have");
        continue;
      }
      if (connectSender(object, selector)) view_->addConnectedAction(selector);
    }
  }

  bool connectSender(QObject* object, const std::string& selector) {
    auto dispatch = platform::dispatchTo(controller_, selector);
    if (auto* action = qobject_cast<QAction*>(object)) {
      QObject::connect(action, &QAction::triggered, action, [dispatch] { dispatch(nullptr); });
      return true;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    auto adapter = widget ? adapterOfSender(widget) : nullptr;
    if (!adapter) {
      report(nameOf(object) + " is a " + classOf(object) + ", which sends no action");
      return false;
    }
    adapter->setAction(std::move(dispatch));
    std::weak_ptr<platform::Control> weak = adapter;
    auto send = [weak] {
      if (auto sender = weak.lock()) sender->sendAction();
    };
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      QObject::connect(button, &QAbstractButton::clicked, button, send);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QObject::connect(combo, &QComboBox::activated, combo, send);
    } else if (auto* table = dynamic_cast<QtTableView*>(adapter.get())) {
      table->sendOnClicks(send);
    }
    return true;
  }

  std::shared_ptr<platform::Control> adapterOfSender(QWidget* widget) {
    auto known = adapters_.find(widget);
    if (known != adapters_.end()) return known->second;
    auto adapter = makeSenderAdapter(widget);
    if (adapter) {
      view_->keep(adapter);
      adapters_[widget] = adapter;
    }
    return adapter;
  }

  void fillContainers() {
    // Collected first: hosting a scene deletes the placeholders a later lookup would visit.
    std::vector<std::pair<QPointer<QWidget>, std::string>> containers;
    for (auto* widget : root_->findChildren<QWidget*>()) {
      QVariant scene = widget->property(kSceneProperty);
      if (scene.isValid()) containers.emplace_back(widget, scene.toString().toStdString());
    }
    for (const auto& [container, identifier] : containers) {
      if (!container || identifier == controller_.identifier()) continue;
      if (auto pane = hostScene(identifier, controller_.platform(), container))
        controller_.addChildViewController(pane);
    }
  }
};

std::shared_ptr<SceneView> emptyScene(platform::ViewController& controller,
                                      const std::string& problem) {
  controller.platform().diagnostic("Scene " + controller.identifier() + ": " + problem +
                                   "; showing an empty view");
  auto* root = new QWidget;
  root->setObjectName(QString::fromStdString(controller.identifier()));
  return std::make_shared<SceneView>(root);
}

}  // namespace

QString layoutResource(const std::string& identifier) {
  return QStringLiteral(":/Main/") + QString::fromStdString(identifier) + QStringLiteral(".ui");
}

bool hasLayout(const std::string& identifier) { return QFile::exists(layoutResource(identifier)); }

std::shared_ptr<SceneView> loadScene(platform::ViewController& controller) {
  QFile file(layoutResource(controller.identifier()));
  if (!file.open(QIODevice::ReadOnly)) return emptyScene(controller, "the layout has no file");
  return loadScene(controller, file);
}

std::shared_ptr<SceneView> loadScene(platform::ViewController& controller, QIODevice& layout) {
  QUiLoader loader;
  QWidget* root = loader.load(&layout);
  if (!root)
    return emptyScene(controller, "unreadable layout: " + loader.errorString().toStdString());
  return SceneBinder(controller, root).bind();
}

}  // namespace molbench::qt
