// The tools window: a popup of fifteen titles swaps the chosen tool pane into a container,
// beside a web view with the structure editor. The panes are made once, when the window's view
// loads, and live as long as the window, so each keeps its fields while another is shown.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Bindings.h"
#include "platform/FileUrl.h"

namespace molbench {

class ToolsController : public platform::BoundViewController<ToolsController> {
 public:
  explicit ToolsController(platform::Platform& platform);
  static const platform::Bindings<ToolsController>& bindings();

  platform::Outlet<platform::PopUpButton> viewitemspopup;
  platform::Outlet<platform::WebView> molView;
  platform::Outlet<platform::View> containView;
  const platform::FileUrl temporaryDirectory;
  // The panes in creation order; which class each holds comes from the table of tool panes.
  std::shared_ptr<platform::ViewController> vc1, vc2, vc3, vc4, vc5, vc6, vc7, vc8, vc9, vc10, vc11,
      vc12, vc13, vc14, vc15;

  void viewDidLoad() override;
  void popupchosen(platform::Control* sender);
  void LoadEditor(platform::Control* sender);

 private:
  const std::vector<std::string> popupmenuitems;
  std::shared_ptr<platform::ViewController>& paneProperty(int creationOrder);
  std::shared_ptr<platform::ViewController> makePane(const std::string& identifier);
};

}  // namespace molbench
