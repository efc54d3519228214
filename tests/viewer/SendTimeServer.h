// A small HTTP server on 127.0.0.1 that tells when each request reached it by the kernel's
// receive time of the request's first segment: a busy machine delays the server's threads, not
// that time, so the spacing of requests can be measured under any load. It can also be slow to
// open: while its listening queue is full, a new connection's SYN is dropped and the client
// sends it again about a second later, as after a lost packet. Answers carry a status, a body
// and a delay; each connection serves one request.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "lookup/LocalServer.h"

namespace molbench::testing {

class SendTimeServer {
 public:
  struct Arrival {
    std::string path;               // percent-decoded, as LocalServer's responder sees it
    std::chrono::nanoseconds at{};  // the kernel's receive time (CLOCK_REALTIME)
  };

  // With `closedFor` above zero the listening queue stays full that long from now.
  explicit SendTimeServer(std::function<ServerAnswer(const std::string& path)> responder,
                          std::chrono::milliseconds closedFor = std::chrono::milliseconds(0));
  ~SendTimeServer();
  SendTimeServer(const SendTimeServer&) = delete;
  SendTimeServer& operator=(const SendTimeServer&) = delete;

  std::string host() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // In order of arrival; a request the kernel left unstamped comes first, at time 0.
  std::vector<Arrival> arrivals() const;
  // Connections accepted, whether or not a request came on them.
  size_t connections() const;

 private:
  void fillQueue();
  void acceptConnections(std::chrono::steady_clock::time_point opening);
  void serve(int connection);

  std::function<ServerAnswer(const std::string&)> responder_;
  int listener_ = -1;
  int stopEvent_ = -1;
  int port_ = 0;
  std::vector<int> fillers_;  // client ends held in the listening queue until it opens
  std::thread acceptor_;
  mutable std::mutex mutex_;
  bool stopping_ = false;
  std::set<int> open_;  // connections being served, cut short by the destructor
  size_t accepted_ = 0;
  std::vector<std::thread> servers_;
  std::vector<Arrival> arrivals_;
};

}  // namespace molbench::testing
