// The blank pane the tools window shows while no tool is chosen: no controls, no actions.
#pragma once

#include "platform/ViewController.h"

namespace molbench {

class obtoolsviewcontroller : public platform::ViewController {
 public:
  using ViewController::ViewController;
};

}  // namespace molbench
