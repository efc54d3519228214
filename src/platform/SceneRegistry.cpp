#include "platform/SceneRegistry.h"

namespace molbench::platform {

SceneRegistry& SceneRegistry::shared() {
  static SceneRegistry registry;
  return registry;
}

void SceneRegistry::add(const std::string& identifier, SceneFactory factory) {
  for (auto& scene : scenes_) {
    if (scene.first == identifier) {
      scene.second = std::move(factory);
      return;
    }
  }
  scenes_.emplace_back(identifier, std::move(factory));
}

bool SceneRegistry::contains(const std::string& identifier) const {
  for (const auto& scene : scenes_)
    if (scene.first == identifier) return true;
  return false;
}

std::vector<std::string> SceneRegistry::identifiers() const {
  std::vector<std::string> result;
  for (const auto& scene : scenes_) result.push_back(scene.first);
  return result;
}

std::shared_ptr<ViewController> SceneRegistry::instantiate(const std::string& identifier,
                                                           Platform& platform) const {
  for (const auto& scene : scenes_) {
    if (scene.first == identifier) {
      auto controller = scene.second(platform);
      if (controller) controller->setIdentifier(identifier);
      return controller;
    }
  }
  return nullptr;
}

}  // namespace molbench::platform
