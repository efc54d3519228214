#include "platform/SendTurns.h"

namespace molbench::platform {

std::optional<SendTurns::Clock::time_point> SendTurns::take(std::chrono::milliseconds spacing,
                                                            Clock::time_point now) {
  std::lock_guard lock(mutex_);
  if (lastSend_ && now < *lastSend_ + spacing) return *lastSend_ + spacing;
  lastSend_ = now;
  return std::nullopt;
}

}  // namespace molbench::platform
