// The URL session over libcurl: each GET runs on a worker thread of its own and calls its
// completion there, as the panes expect of a data task. Every worker belongs to the platform's
// CurlTransfers, which aborts and joins them all before the platform goes, so no completion
// ever runs against a platform or pane that is gone.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/SendTurns.h"
#include "platform/Services.h"

namespace molbench::platform::curl {

// What one request accepts of a server; beyond either, the request fails.
inline constexpr long kMaxRedirects = 5;
inline constexpr size_t kMaxAnswerBytes = size_t{64} << 20;

// Makes a request's easy handle wait for its turn, through `awaitTurn`, just before each send;
// false when libcurl refuses (one older than 7.80 has no such option). A variable so that tests
// can stand in for such a libcurl.
extern bool (*setTurnOptions)(void* handle, const std::function<bool()>& awaitTurn);

// Turns a request takes before it is sent; none when `turns` is empty.
struct SendSpacing {
  std::shared_ptr<SendTurns> turns;
  std::chrono::milliseconds spacing{0};
};

// The requests in flight of one platform.
class CurlTransfers {
 public:
  CurlTransfers() = default;
  ~CurlTransfers();
  CurlTransfers(const CurlTransfers&) = delete;
  CurlTransfers& operator=(const CurlTransfers&) = delete;

  // Starts the request on a worker thread of its own; once cancelled, starts nothing. Never
  // waits for another request's completion. With turns, the request waits, connected, for its
  // turn before it is sent (each redirect too).
  void start(const std::string& url, std::function<void(const UrlResponse&)> completion,
             SendSpacing spacing = {});
  // Aborts every transfer at once, a request waiting for its turn too, refuses new ones and
  // joins every worker. A completion already running is waited for; one whose transfer was
  // aborted never runs.
  void cancelAll();

 private:
  struct Worker {
    std::thread thread;
    void* multi = nullptr;  // its curl multi handle while the transfer runs, under mutex_
    // Set once the transfer and its completion are over: joining it then waits for nothing.
    std::shared_ptr<std::atomic<bool>> exited;
  };
  void run(Worker& worker, const std::string& url, const SendSpacing& spacing,
           const std::function<void(const UrlResponse&)>& completion);
  void joinFinished();
  // False when the transfers were cancelled before the turn came.
  bool awaitTurn(const SendSpacing& spacing);

  std::mutex mutex_;
  std::condition_variable turnWaitEnds_;  // a cancel ends every wait for a turn
  std::atomic<bool> cancelled_ = false;
  std::list<Worker> workers_;  // a list: each worker keeps its entry's address
};

class CurlUrlSession : public UrlSession {
 public:
  // A session whose requests die with the transfers; after that it starts nothing.
  explicit CurlUrlSession(std::weak_ptr<CurlTransfers> transfers);
  void get(const std::string& url, std::function<void(const UrlResponse&)> completion) override;
  void spaceSends(std::shared_ptr<SendTurns> turns, std::chrono::milliseconds spacing) override;

  // The same request on the calling thread; used by tests.
  static UrlResponse fetch(const std::string& url);

 private:
  std::weak_ptr<CurlTransfers> transfers_;
  SendSpacing spacing_;
};

}  // namespace molbench::platform::curl
