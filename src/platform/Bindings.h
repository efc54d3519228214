// Each pane declares its outlets and actions once, in a Bindings table; the layout binder, the
// test harness and the tests all read that one table.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/Outlet.h"
#include "platform/ViewController.h"

namespace molbench::platform {

template <class T>
constexpr ControlKind kindOf();
template <>
constexpr ControlKind kindOf<View>() {
  return ControlKind::View;
}
template <>
constexpr ControlKind kindOf<TextField>() {
  return ControlKind::TextField;
}
template <>
constexpr ControlKind kindOf<PopUpButton>() {
  return ControlKind::PopUpButton;
}
template <>
constexpr ControlKind kindOf<Button>() {
  return ControlKind::Button;
}
template <>
constexpr ControlKind kindOf<TextView>() {
  return ControlKind::TextView;
}
template <>
constexpr ControlKind kindOf<WebView>() {
  return ControlKind::WebView;
}
template <>
constexpr ControlKind kindOf<TableView>() {
  return ControlKind::TableView;
}
template <>
constexpr ControlKind kindOf<ArrayController>() {
  return ControlKind::ArrayController;
}

template <class Pane>
class Bindings {
 public:
  template <class T>
  Bindings& outlet(std::string name, Outlet<T> Pane::*member) {
    OutletEntry entry;
    entry.info = {name, kindOf<T>()};
    entry.connect = [member](Pane& pane, const std::shared_ptr<Control>& control) {
      auto typed = std::dynamic_pointer_cast<T>(control);
      if (!typed) return false;
      (pane.*member).connect(typed);
      return true;
    };
    entry.connected = [member](const Pane& pane) { return static_cast<bool>(pane.*member); };
    outlets_.push_back(std::move(entry));
    return *this;
  }

  // An outlet that the pane inherits from a group of controls that several panes share.
  template <class T, class Base>
  requires(std::is_base_of_v<Base, Pane> &&
           !std::is_same_v<Base, Pane>) Bindings& outlet(std::string name,
                                                         Outlet<T> Base::*member) {
    return outlet(std::move(name), static_cast<Outlet<T> Pane::*>(member));
  }

  Bindings& action(std::string selector, void (Pane::*method)(Control*),
                   std::vector<std::string> senders = {}) {
    actions_.push_back({{std::move(selector), std::move(senders)}, method});
    return *this;
  }

  std::vector<OutletInfo> outletInfo() const {
    std::vector<OutletInfo> result;
    for (const auto& entry : outlets_) result.push_back(entry.info);
    return result;
  }
  std::vector<ActionInfo> actionInfo() const {
    std::vector<ActionInfo> result;
    for (const auto& entry : actions_) result.push_back(entry.info);
    return result;
  }
  bool connect(Pane& pane, const std::string& name, const std::shared_ptr<Control>& control) const {
    for (const auto& entry : outlets_)
      if (entry.info.name == name) return entry.connect(pane, control);
    return false;
  }
  bool connected(const Pane& pane, const std::string& name) const {
    for (const auto& entry : outlets_)
      if (entry.info.name == name) return entry.connected(pane);
    return false;
  }
  bool send(Pane& pane, const std::string& selector, Control* sender) const {
    for (const auto& entry : actions_) {
      if (entry.info.selector == selector) {
        (pane.*(entry.method))(sender);
        return true;
      }
    }
    return false;
  }

 private:
  struct OutletEntry {
    OutletInfo info;
    std::function<bool(Pane&, const std::shared_ptr<Control>&)> connect;
    std::function<bool(const Pane&)> connected;
  };
  struct ActionEntry {
    ActionInfo info;
    void (Pane::*method)(Control*);
  };
  std::vector<OutletEntry> outlets_;
  std::vector<ActionEntry> actions_;
};

// Implements the layout's view of a pane from the table that Pane::bindings() returns.
template <class Pane>
class BoundViewController : public ViewController {
 public:
  using ViewController::ViewController;

  std::vector<OutletInfo> outletInfo() const override { return Pane::bindings().outletInfo(); }
  std::vector<ActionInfo> actionInfo() const override { return Pane::bindings().actionInfo(); }
  bool connectOutlet(const std::string& name, const std::shared_ptr<Control>& control) override {
    return Pane::bindings().connect(static_cast<Pane&>(*this), name, control);
  }
  bool isOutletConnected(const std::string& name) const override {
    return Pane::bindings().connected(static_cast<const Pane&>(*this), name);
  }
  bool sendAction(const std::string& selector, Control* sender) override {
    return Pane::bindings().send(static_cast<Pane&>(*this), selector, sender);
  }
};

}  // namespace molbench::platform
