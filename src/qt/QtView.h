// Views over QWidget. A view added to another is reparented into the container's layout; a
// view taken out of its superview belongs to its adapter again, so dropping the last
// reference to a detached view deletes its widget, as releasing a detached view does on a Mac.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Control.h"

namespace molbench::qt {

// Adds the child to the container's layout (a margin-less column when it has none) and shows
// it.
void placeInside(QWidget* container, QWidget* child);

class QtView : public platform::View {
 public:
  explicit QtView(QWidget* widget, bool ownsDetachedWidget = false);
  ~QtView() override;
  QtView(const QtView&) = delete;
  QtView& operator=(const QtView&) = delete;

  std::vector<std::shared_ptr<platform::View>> subviews() const override;
  void addSubview(const std::shared_ptr<platform::View>& view) override;
  void removeFromSuperview() override;
  platform::Rect frame() const override;
  void setFrame(const platform::Rect& frame) override;
  platform::Rect bounds() const override;

  QWidget* widget() const { return widget_; }

 private:
  QPointer<QWidget> widget_;
  bool ownsDetachedWidget_;
  // Views added here stay alive while they are shown here, as a superview retains them.
  mutable std::vector<std::shared_ptr<platform::View>> added_;
  void forgetDeparted() const;
};

// The root view of a loaded scene: it owns every adapter the scene's outlets and action
// senders use, so they live exactly as long as the pane that holds this view.
class SceneView : public QtView {
 public:
  explicit SceneView(QWidget* root) : QtView(root, true) {}

  void keep(const std::shared_ptr<platform::Control>& control) { controls_.push_back(control); }
  void addOutlet(const std::string& name, QWidget* widget) { outlets_[name] = widget; }
  void addConnectedAction(const std::string& selector) { actions_.push_back(selector); }

  // The widget behind an outlet (for a web view, the QWebEngineView); null when none.
  QWidget* outletWidget(const std::string& name) const;
  // The selectors that some widget or menu action of this scene sends.
  const std::vector<std::string>& connectedActions() const { return actions_; }

 private:
  std::vector<std::shared_ptr<platform::Control>> controls_;
  std::map<std::string, QPointer<QWidget>> outlets_;
  std::vector<std::string> actions_;
};

}  // namespace molbench::qt
