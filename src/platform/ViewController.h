// The base of every pane: lazy view loading, child controllers, and the table of outlets and
// actions by which the layout connects a scene to its pane.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "platform/Platform.h"

namespace molbench::platform {

struct OutletInfo {
  std::string name;
  ControlKind kind;
};

struct ActionInfo {
  std::string selector;               // "convertFile:"
  std::vector<std::string> senders;  // outlets whose controls send it, when the pane names them
};

class ViewController : public std::enable_shared_from_this<ViewController> {
 public:
  explicit ViewController(Platform& platform) : platform_(platform) {}
  virtual ~ViewController() = default;
  ViewController(const ViewController&) = delete;
  ViewController& operator=(const ViewController&) = delete;

  Platform& platform() const { return platform_; }

  // The scene identifier in the layout "Main".
  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

  // Loads the view on first use, then runs viewDidLoad once.
  std::shared_ptr<View> view();
  bool isViewLoaded() const { return static_cast<bool>(view_); }
  virtual void viewDidLoad() {}

  void addChildViewController(const std::shared_ptr<ViewController>& child);
  const std::vector<std::shared_ptr<ViewController>>& childViewControllers() const {
    return children_;
  }
  ViewController* parentViewController() const { return parent_; }

  // The layout's view of the pane.
  virtual std::vector<OutletInfo> outletInfo() const { return {}; }
  virtual std::vector<ActionInfo> actionInfo() const { return {}; }
  virtual bool connectOutlet(const std::string& name, const std::shared_ptr<Control>& control);
  virtual bool isOutletConnected(const std::string& name) const;
  virtual bool sendAction(const std::string& selector, Control* sender);

 protected:
  // True when every named outlet is connected; otherwise logs one line naming the first
  // missing one, so the calling action can return without effect.
  bool outletsConnected(std::string_view action, std::initializer_list<std::string_view> names);

 private:
  Platform& platform_;
  std::string identifier_;
  std::shared_ptr<View> view_;
  bool loading_ = false;
  std::vector<std::shared_ptr<ViewController>> children_;
  ViewController* parent_ = nullptr;
};

}  // namespace molbench::platform
