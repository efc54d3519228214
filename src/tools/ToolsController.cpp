#include "tools/ToolsController.h"

#include "common/EditorPage.h"
#include "common/PopupHelpers.h"
#include "common/TemporaryDirectory.h"
#include "platform/SceneRegistry.h"
#include "tools/ToolPanes.h"

namespace molbench {

namespace {

using P = ToolsController;

std::vector<std::string> popupTitles() {
  std::vector<std::string> titles;
  for (const auto& row : toolPanes()) titles.emplace_back(row.title);
  return titles;
}

}  // namespace

ToolsController::ToolsController(platform::Platform& platform)
    : BoundViewController(platform),
      temporaryDirectory(temporaryDirectoryUrl(platform)),
      popupmenuitems(popupTitles()) {}

const platform::Bindings<ToolsController>& ToolsController::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("viewitemspopup", &P::viewitemspopup)
                                .outlet("molView", &P::molView)
                                .outlet("containView", &P::containView)
                                .action("popupchosen:", &P::popupchosen, {"viewitemspopup"})
                                .action("LoadEditor:", &P::LoadEditor);
  return table;
}

std::shared_ptr<platform::ViewController>& ToolsController::paneProperty(int creationOrder) {
  static constexpr std::shared_ptr<platform::ViewController> ToolsController::*properties[] = {
      &P::vc1, &P::vc2,  &P::vc3,  &P::vc4,  &P::vc5,  &P::vc6,  &P::vc7, &P::vc8,
      &P::vc9, &P::vc10, &P::vc11, &P::vc12, &P::vc13, &P::vc14, &P::vc15};
  return this->*properties[creationOrder - 1];
}

std::shared_ptr<platform::ViewController> ToolsController::makePane(const std::string& identifier) {
  auto& registry = platform::SceneRegistry::shared();
  auto pane = registry.instantiate(identifier, platform());
  if (!pane) platform().diagnostic("Tools: the layout has no pane " + identifier);
  return pane;
}

void ToolsController::viewDidLoad() {
  std::vector<const ToolPaneRow*> inCreationOrder(kToolPaneCount);
  for (const auto& row : toolPanes()) inCreationOrder[row.creationOrder - 1] = &row;
  for (const auto* row : inCreationOrder)
    paneProperty(row->creationOrder) = makePane(row->identifier);
  for (int order = 1; order <= kToolPaneCount; ++order) addChildViewController(paneProperty(order));

  if (!outletsConnected("viewDidLoad", {"containView", "viewitemspopup"})) return;
  if (vc1) {
    auto blank = vc1->view();
    if (blank) {
      blank->setFrame(containView->bounds());
      containView->addSubview(blank);
    }
  }
  fillPopup(*viewitemspopup.get(), popupmenuitems, 0);
}

void ToolsController::popupchosen(platform::Control* sender) {
  if (!outletsConnected("popupchosen:", {"containView"})) return;
  auto title = selectedTitle(sender);
  if (!title) return;
  for (const auto& row : toolPanes()) {
    if (*title != row.title) continue;
    auto pane = paneProperty(row.creationOrder);
    auto view = pane ? pane->view() : nullptr;
    if (!view) return;
    for (const auto& shown : containView->subviews()) shown->removeFromSuperview();
    containView->addSubview(view);
    return;
  }
}

void ToolsController::LoadEditor(platform::Control*) {
  if (!outletsConnected("LoadEditor:", {"molView"})) return;
  loadEditor(platform(), *molView.get(), temporaryDirectory, false);
}

}  // namespace molbench
