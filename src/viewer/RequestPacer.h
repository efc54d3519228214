// Starts work items one after another, at least a fixed spacing apart, on a thread of its own,
// so a public service's published request rate is kept without holding up the main thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace molbench {

class RequestPacer {
 public:
  RequestPacer() = default;
  // Items not yet started when the pacer goes are dropped; the one starting is waited for.
  ~RequestPacer();
  RequestPacer(const RequestPacer&) = delete;
  RequestPacer& operator=(const RequestPacer&) = delete;

  // Queues the start; it runs on the pacer's thread, in order of queueing, no sooner than
  // `spacing` after the previous start.
  void schedule(std::chrono::milliseconds spacing, std::function<void()> start);

 private:
  struct Item {
    std::chrono::milliseconds spacing;
    std::function<void()> start;
  };
  void run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item> items_;
  bool stopping_ = false;
  std::chrono::steady_clock::time_point lastStart_{};
  std::thread worker_;
};

}  // namespace molbench
