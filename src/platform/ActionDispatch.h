// The one way a control sends its action to a pane, used by the layout loader and the test
// harness alike.
#pragma once

#include <string>

#include "platform/Control.h"
#include "platform/ViewController.h"

namespace molbench::platform {

// Sends the selector to the pane while the pane lives; once it is gone (or was never owned by
// a shared_ptr) the control's clicks and picks do nothing, so a widget that outlives its pane
// never reaches a dead object. The control does not keep the pane alive.
Control::Action dispatchTo(ViewController& pane, const std::string& selector);

}  // namespace molbench::platform
