#include "platform/ViewController.h"

namespace molbench::platform {

std::shared_ptr<View> ViewController::view() {
  if (!view_ && !loading_) {
    loading_ = true;
    view_ = platform_.loadView(*this);
    loading_ = false;
    viewDidLoad();
  }
  return view_;
}

void ViewController::addChildViewController(const std::shared_ptr<ViewController>& child) {
  if (!child) return;
  child->parent_ = this;
  children_.push_back(child);
}

bool ViewController::connectOutlet(const std::string&, const std::shared_ptr<Control>&) {
  return false;
}

bool ViewController::isOutletConnected(const std::string&) const { return false; }

bool ViewController::sendAction(const std::string&, Control*) { return false; }

bool ViewController::outletsConnected(std::string_view action,
                                      std::initializer_list<std::string_view> names) {
  for (auto name : names) {
    if (!isOutletConnected(std::string(name))) {
      platform_.diagnostic(std::string(action) + " skipped: outlet " + std::string(name) +
                           " is not connected");
      return false;
    }
  }
  return true;
}

const char* controlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::View: return "View";
    case ControlKind::TextField: return "TextField";
    case ControlKind::PopUpButton: return "PopUpButton";
    case ControlKind::Button: return "Button";
    case ControlKind::TextView: return "TextView";
    case ControlKind::WebView: return "WebView";
    case ControlKind::TableView: return "TableView";
    case ControlKind::ArrayController: return "ArrayController";
  }
  return "Control";
}

}  // namespace molbench::platform
