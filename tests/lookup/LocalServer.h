// A real HTTP server on 127.0.0.1 that stands in for the chemistry web services: it answers
// each request target (the path as sent, still percent-encoded) with a scripted status and
// body, records the targets, and can hold answers back until the test releases them.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace molbench::testing {

class LocalServer {
 public:
  LocalServer() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("cannot bind a port on 127.0.0.1");
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      serve(request, response);
    });
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~LocalServer() {
    release();
    server_.stop();
    thread_.join();
  }
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  // "http://127.0.0.1:PORT", the form a service host takes.
  std::string host() const { return "http://127.0.0.1:" + std::to_string(port_); }

  // Unscripted targets get 404 and "Not found".
  void answer(const std::string& target, int status, const std::string& body) {
    std::lock_guard lock(mutex_);
    answers_[target] = {status, body};
  }
  std::vector<std::string> targets() const {
    std::lock_guard lock(mutex_);
    return targets_;
  }
  // From now on requests wait, unanswered, until release().
  void hold() {
    std::lock_guard lock(mutex_);
    holding_ = true;
  }
  void release() {
    {
      std::lock_guard lock(mutex_);
      holding_ = false;
    }
    released_.notify_all();
  }

 private:
  void serve(const httplib::Request& request, httplib::Response& response) {
    std::unique_lock lock(mutex_);
    targets_.push_back(request.target);
    released_.wait(lock, [this] { return !holding_; });
    auto found = answers_.find(request.target);
    if (found == answers_.end()) {
      response.status = 404;
      response.set_content("Not found", "text/plain");
      return;
    }
    response.status = found->second.first;
    response.set_content(found->second.second, "text/plain");
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  bool holding_ = false;
  std::map<std::string, std::pair<int, std::string>> answers_;
  std::vector<std::string> targets_;
};

}  // namespace molbench::testing
