// A PubChem stand-in on 127.0.0.1: answers the name-to-SMILES path with whatever the test
// decides per name, and records when each name arrived.
#pragma once

#include <httplib.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace molbench::testing {

struct PubchemAnswer {
  int status = 200;
  std::string body;
  std::chrono::milliseconds delay{0};
};

class PubchemServer {
 public:
  using Clock = std::chrono::steady_clock;
  struct Arrival {
    std::string name;
    Clock::time_point at;
  };

  explicit PubchemServer(std::function<PubchemAnswer(const std::string& name)> answer)
      : answer_(std::move(answer)) {
    // Enough workers that many answers can be held back at once.
    server_.new_task_queue = [] { return new httplib::ThreadPool(128); };
    server_.Get(R"(/rest/pug/compound/name/(.*)/property/IsomericSMILES/TXT)",
                [this](const httplib::Request& request, httplib::Response& response) {
                  std::string name = request.matches[1];
                  {
                    std::lock_guard lock(mutex_);
                    arrivals_.push_back({name, Clock::now()});
                  }
                  PubchemAnswer answer = answer_(name);
                  std::this_thread::sleep_for(answer.delay);
                  response.status = answer.status;
                  response.set_content(answer.body, "text/plain");
                });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~PubchemServer() {
    server_.stop();
    thread_.join();
  }

  std::string host() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::vector<Arrival> arrivals() {
    std::lock_guard lock(mutex_);
    return arrivals_;
  }

 private:
  std::function<PubchemAnswer(const std::string&)> answer_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Arrival> arrivals_;
};

}  // namespace molbench::testing
