// A real HTTP server on 127.0.0.1 that stands in for the chemistry web services. Each request
// target (the path as sent, still percent-encoded) gets a scripted answer, or the answer of a
// responder that sees the decoded path; the server records what arrived when, and can hold
// answers back until the test releases them.
#pragma once

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace molbench::testing {

struct ServerAnswer {
  int status = 404;
  std::string body = "Not found";
  std::chrono::milliseconds delay{0};
  std::string location = "";  // sent as the Location header when not empty
  bool chunked = false;       // sent in chunks with no length announced up front
};

class LocalServer {
 public:
  using Clock = std::chrono::steady_clock;
  struct Arrival {
    std::string target, path;
    Clock::time_point at;
  };

  explicit LocalServer(std::function<ServerAnswer(const std::string& path)> responder = {})
      : responder_(std::move(responder)) {
    // Enough workers that many answers can be held back at once.
    server_.new_task_queue = [] { return new httplib::ThreadPool(128); };
    port_ = server_.bind_to_any_port("127.0.0.1");
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      ServerAnswer answer = serve(request);
      std::this_thread::sleep_for(answer.delay);
      response.status = answer.status;
      if (!answer.location.empty()) response.set_header("Location", answer.location);
      if (answer.chunked)
        sendInChunks(response, std::move(answer.body));
      else
        response.set_content(answer.body, "text/plain");
    });
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~LocalServer() {
    release();
    server_.stop();
    thread_.join();
  }

  // "http://127.0.0.1:PORT", the form a service host takes.
  std::string host() const { return "http://127.0.0.1:" + std::to_string(port_); }
  void answer(const std::string& target, int status, const std::string& body) {
    std::lock_guard lock(mutex_);
    answers_[target] = {status, body};
  }
  std::vector<Arrival> arrivals() const {
    std::lock_guard lock(mutex_);
    return arrivals_;
  }
  std::vector<std::string> targets() const {
    std::vector<std::string> result;
    for (const auto& arrival : arrivals()) result.push_back(arrival.target);
    return result;
  }
  // From now on requests wait, unanswered, until release().
  void hold() { setHolding(true); }
  void release() { setHolding(false); }

 private:
  static void sendInChunks(httplib::Response& response, std::string body) {
    auto text = std::make_shared<std::string>(std::move(body));
    response.set_chunked_content_provider(
        "text/plain", [text](size_t offset, httplib::DataSink& sink) {
          size_t size = std::min<size_t>(text->size() - offset, 1 << 20);
          // A client that hangs up ends the answer.
          if (size > 0 && !sink.write(text->data() + offset, size)) return false;
          if (offset + size == text->size()) sink.done();
          return true;
        });
  }
  void setHolding(bool holding) {
    std::lock_guard lock(mutex_);
    holding_ = holding;
    released_.notify_all();
  }
  ServerAnswer serve(const httplib::Request& request) {
    std::unique_lock lock(mutex_);
    arrivals_.push_back({request.target, request.path, Clock::now()});
    released_.wait(lock, [this] { return !holding_; });
    if (responder_) {
      lock.unlock();
      return responder_(request.path);
    }
    auto found = answers_.find(request.target);
    return found == answers_.end() ? ServerAnswer{} : found->second;
  }

  std::function<ServerAnswer(const std::string&)> responder_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  bool holding_ = false;
  std::map<std::string, ServerAnswer> answers_;
  std::vector<Arrival> arrivals_;
};

}  // namespace molbench::testing
