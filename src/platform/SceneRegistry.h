// The scenes of the layout "Main" by identifier: how a back end creates the pane for a scene.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ViewController.h"

namespace molbench::platform {

using SceneFactory = std::function<std::shared_ptr<ViewController>(Platform&)>;

class SceneRegistry {
 public:
  static SceneRegistry& shared();

  void add(const std::string& identifier, SceneFactory factory);
  bool contains(const std::string& identifier) const;
  std::vector<std::string> identifiers() const;

  // Creates the pane of a scene; empty when the identifier is unknown. The view loads later,
  // on first use.
  std::shared_ptr<ViewController> instantiate(const std::string& identifier,
                                              Platform& platform) const;

 private:
  std::vector<std::pair<std::string, SceneFactory>> scenes_;
};

}  // namespace molbench::platform
