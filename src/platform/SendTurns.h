// The moment the last of a group of requests was sent. Requests that share one take turns on
// it once their connections are open, so one slow to connect (a lost packet, a slow name lookup
// or handshake) lets no later request catch up with it: a service's rate holds as requests
// reach it, not merely as they start.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>

namespace molbench::platform {

class SendTurns {
 public:
  using Clock = std::chrono::steady_clock;

  // Takes the turn when `spacing` has passed since the last send, and then gives nothing;
  // otherwise leaves the turn and gives when to ask again.
  std::optional<Clock::time_point> take(std::chrono::milliseconds spacing, Clock::time_point now);

 private:
  std::mutex mutex_;
  std::optional<Clock::time_point> lastSend_;
};

}  // namespace molbench::platform
