// A pane's non-owning reference to one control of its layout. It is empty until the layout
// connects it, and empty again once the control is gone.
#pragma once

#include <memory>

#include "platform/Control.h"

namespace molbench::platform {

template <class T>
class Outlet {
 public:
  using ControlType = T;

  Outlet() = default;
  void connect(const std::shared_ptr<T>& control) { control_ = control; }
  void disconnect() { control_.reset(); }
  std::shared_ptr<T> get() const { return control_.lock(); }
  explicit operator bool() const { return !control_.expired(); }
  // For actions that checked the outlet first: `inputFilepath->text()`. The control stays
  // alive until the end of the full expression.
  std::shared_ptr<T> operator->() const { return control_.lock(); }

 private:
  std::weak_ptr<T> control_;
};

}  // namespace molbench::platform
