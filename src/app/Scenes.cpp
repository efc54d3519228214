#include "app/Scenes.h"

#include <memory>

#include "app/PrefsViewController.h"
#include "app/ViewController.h"
#include "convert/Convertcontroller.h"
#include "platform/SceneRegistry.h"
#include "search/SearchViewController.h"
#include "tools/ToolPanes.h"

namespace molbench {

namespace {

template <class Pane>
void add(platform::SceneRegistry& registry, const char* identifier) {
  registry.add(identifier,
               [](platform::Platform& platform) { return std::make_shared<Pane>(platform); });
}

}  // namespace

void registerScenes() {
  auto& registry = platform::SceneRegistry::shared();
  add<ViewController>(registry, "ViewController");
  add<PrefsViewController>(registry, "PrefsViewController");
  add<Convertcontroller>(registry, "Convertcontroller");
  add<SearchViewController>(registry, "SearchViewController");
  registerToolScenes();
}

}  // namespace molbench
