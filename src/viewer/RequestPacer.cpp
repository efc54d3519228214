#include "viewer/RequestPacer.h"

namespace molbench {

RequestPacer::~RequestPacer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    items_.clear();
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void RequestPacer::schedule(std::chrono::milliseconds spacing, std::function<void()> start) {
  {
    std::lock_guard lock(mutex_);
    items_.push_back({spacing, std::move(start)});
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  }
  changed_.notify_all();
}

void RequestPacer::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !items_.empty(); });
    if (stopping_) return;
    auto due = lastStart_ + items_.front().spacing;
    // Waking early (a new item, the end) re-checks; only a stop cuts the wait short.
    if (changed_.wait_until(lock, due, [this] { return stopping_; })) return;
    if (items_.empty()) continue;
    Item item = std::move(items_.front());
    items_.pop_front();
    lastStart_ = std::chrono::steady_clock::now();
    lock.unlock();
    item.start();
    lock.lock();
  }
}

}  // namespace molbench
