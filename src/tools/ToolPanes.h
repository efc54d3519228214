// The fifteen panes of the tools window: one table that the tools window and the scene
// registration both read.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/ViewController.h"

namespace molbench {

using ToolPaneFactory = std::shared_ptr<platform::ViewController> (*)(platform::Platform&);

template <class Pane>
std::shared_ptr<platform::ViewController> makeToolPane(platform::Platform& platform) {
  return std::make_shared<Pane>(platform);
}

struct ToolPaneRow {
  const char* title;       // the tool popup's title
  const char* identifier;  // the scene in the layout "Main"
  int creationOrder;       // 1 to 15: the tools window's property vc1 … vc15
  ToolPaneFactory factory;
};

inline constexpr int kToolPaneCount = 15;

// In popup order.
const std::array<ToolPaneRow, kToolPaneCount>& toolPanes();

// Registers the tools window and the fifteen panes with the scene registry.
void registerToolScenes();

}  // namespace molbench
