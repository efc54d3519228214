#include "common/Refusal.h"

namespace molbench {

bool acceptedUnless(platform::Platform& platform, const std::optional<std::string>& problem,
                    const std::string& title) {
  if (!problem) return true;
  platform::AlertRequest alert;
  alert.messageText = title;
  alert.informativeText = *problem;
  alert.buttons = {"OK"};
  platform.runAlert(alert);
  platform.diagnostic(*problem);
  return false;
}

}  // namespace molbench
