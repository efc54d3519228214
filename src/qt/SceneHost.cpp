#include "qt/SceneHost.h"

#include "platform/SceneRegistry.h"
#include "qt/QtView.h"

namespace molbench::qt {

QWidget* viewWidget(platform::ViewController& pane) {
  auto* view = dynamic_cast<QtView*>(pane.view().get());
  return view ? view->widget() : nullptr;
}

std::shared_ptr<platform::ViewController> hostScene(const std::string& identifier,
                                                    platform::Platform& platform,
                                                    QWidget* container) {
  auto& registry = platform::SceneRegistry::shared();
  if (!container || !registry.contains(identifier)) return nullptr;
  auto pane = registry.instantiate(identifier, platform);
  if (!pane) return nullptr;
  QWidget* widget = viewWidget(*pane);
  if (!widget) return pane;
  for (auto* placeholder : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    delete placeholder;
  placeInside(container, widget);
  return pane;
}

}  // namespace molbench::qt
