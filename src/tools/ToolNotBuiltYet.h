// Stands in the tools window for a tool whose pane is not built yet; its layout
// "obtoolsnotbuilt" says so.
#pragma once

#include "platform/ViewController.h"

namespace molbench {

class ToolNotBuiltYet : public platform::ViewController {
 public:
  using ViewController::ViewController;
};

}  // namespace molbench
