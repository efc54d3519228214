// The preferences pane: edits the stored obabel path.
#pragma once

#include <string>

#include "platform/Bindings.h"

namespace molbench {

class PrefsViewController : public platform::BoundViewController<PrefsViewController> {
 public:
  using BoundViewController::BoundViewController;
  static const platform::Bindings<PrefsViewController>& bindings();

  platform::Outlet<platform::TextField> pathToobabel;
  std::string readobabelPath;

  void viewDidLoad() override;
  void okButtonClicked(platform::Control* sender);
  void cancelButtonClicked(platform::Control* sender);
};

}  // namespace molbench
