#include "platform/ActionDispatch.h"

#include <memory>

namespace molbench::platform {

Control::Action dispatchTo(ViewController& pane, const std::string& selector) {
  std::weak_ptr<ViewController> weak = pane.weak_from_this();
  return [weak, selector](Control* sender) {
    if (auto alive = weak.lock()) alive->sendAction(selector, sender);
  };
}

}  // namespace molbench::platform
