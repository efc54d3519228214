#include "SendTimeServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace molbench::testing {

namespace {

using std::chrono::nanoseconds;

// Reads what has arrived; `at` gets the kernel's receive time, when it gave one.
ssize_t receiveStamped(int socket, char* buffer, size_t size, std::optional<nanoseconds>& at) {
  iovec piece{buffer, size};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
  msghdr message{};
  message.msg_iov = &piece;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  ssize_t got = ::recvmsg(socket, &message, 0);
  if (got <= 0) return got;
  for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header))
    if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_TIMESTAMPNS) {
      timespec time;
      std::memcpy(&time, CMSG_DATA(header), sizeof time);
      at = std::chrono::seconds(time.tv_sec) + nanoseconds(time.tv_nsec);
    }
  return got;
}

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(uint8_t(text[i + 1])) &&
        std::isxdigit(uint8_t(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

int connectTo(int port, int flags) {
  int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
  auto address = loopback(port);
  ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return client;
}

void sendAll(int socket, const std::string& text) {
  for (size_t sent = 0; sent < text.size();) {
    ssize_t wrote = ::send(socket, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (wrote <= 0) return;
    sent += static_cast<size_t>(wrote);
  }
}

// The kernel turns receive times on a moment after the first socket asks for them (deferred
// work): a request before then would come unstamped.
void awaitReceiveTimes(int listener, int port) {
  int client = connectTo(port, 0);
  int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::optional<nanoseconds> at;
  while (!at && std::chrono::steady_clock::now() < deadline) {
    char byte = 'x';
    ::send(client, &byte, 1, MSG_NOSIGNAL);
    if (receiveStamped(connection, &byte, 1, at) <= 0) break;
    if (!at) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ::close(client);
  ::close(connection);
  if (!at) throw std::runtime_error("the kernel gives no receive times");
}

}  // namespace

SendTimeServer::SendTimeServer(std::function<ServerAnswer(const std::string& path)> responder,
                               std::chrono::milliseconds closedFor)
    : responder_(std::move(responder)) {
  auto opening = std::chrono::steady_clock::now() + closedFor;
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int on = 1;
  // Accepted connections inherit it.
  ::setsockopt(listener_, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
  auto address = loopback(0);
  socklen_t length = sizeof address;
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 1) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("cannot listen on 127.0.0.1");
  port_ = ntohs(address.sin_port);
  stopEvent_ = ::eventfd(0, EFD_CLOEXEC);
  awaitReceiveTimes(listener_, port_);
  if (closedFor.count() > 0) fillQueue();
  acceptor_ = std::thread([this, opening] { acceptConnections(opening); });
}

SendTimeServer::~SendTimeServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (int connection : open_) ::shutdown(connection, SHUT_RDWR);
  }
  uint64_t one = 1;
  if (::write(stopEvent_, &one, sizeof one) != sizeof one) std::terminate();
  acceptor_.join();
  for (auto& server : servers_) server.join();
  for (int filler : fillers_) ::close(filler);
  ::close(listener_);
  ::close(stopEvent_);
}

std::vector<SendTimeServer::Arrival> SendTimeServer::arrivals() const {
  std::lock_guard lock(mutex_);
  auto sorted = arrivals_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
  return sorted;
}

size_t SendTimeServer::connections() const {
  std::lock_guard lock(mutex_);
  return accepted_;
}

// Connections are taken into the listening queue until one is not: its SYN was dropped, and so
// is every other until the queue is accepted from.
void SendTimeServer::fillQueue() {
  for (int i = 0; i < 16; ++i) {
    fillers_.push_back(connectTo(port_, SOCK_NONBLOCK));
    pollfd filler{fillers_.back(), POLLOUT, 0};
    if (::poll(&filler, 1, 100) == 0) return;
  }
  throw std::runtime_error("the listening queue takes every connection");
}

void SendTimeServer::acceptConnections(std::chrono::steady_clock::time_point opening) {
  pollfd waits[2] = {{stopEvent_, POLLIN, 0}, {listener_, POLLIN, 0}};
  auto closed = std::chrono::duration_cast<std::chrono::milliseconds>(
      opening - std::chrono::steady_clock::now());
  if (closed.count() > 0 && ::poll(waits, 1, static_cast<int>(closed.count())) != 0) return;
  // The fillers hang up; the server sees them end without a request.
  for (int filler : fillers_) ::close(filler);
  fillers_.clear();
  for (;;) {
    if (::poll(waits, 2, -1) < 0 || waits[0].revents) return;
    int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::lock_guard lock(mutex_);
    if (stopping_) {
      ::close(connection);
      return;
    }
    open_.insert(connection);
    ++accepted_;
    servers_.emplace_back([this, connection] { serve(connection); });
  }
}

void SendTimeServer::serve(int connection) {
  std::string request;
  std::optional<nanoseconds> firstAt;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    std::optional<nanoseconds> at;
    ssize_t got = receiveStamped(connection, buffer, sizeof buffer, at);
    if (got <= 0) break;
    if (request.empty()) firstAt = at;
    request.append(buffer, static_cast<size_t>(got));
  }
  size_t targetStart = request.find(' ') + 1, targetEnd = request.find(' ', targetStart);
  if (request.find("\r\n\r\n") != std::string::npos && targetStart > 0 &&
      targetEnd != std::string::npos) {
    std::string target = request.substr(targetStart, targetEnd - targetStart);
    std::string path = percentDecoded(target.substr(0, target.find('?')));
    {
      std::lock_guard lock(mutex_);
      arrivals_.push_back({path, firstAt.value_or(nanoseconds(0))});
    }
    ServerAnswer answer = responder_(path);
    std::this_thread::sleep_for(answer.delay);
    sendAll(connection, "HTTP/1.1 " + std::to_string(answer.status) +
                            " Answer\r\nContent-Type: text/plain\r\nContent-Length: " +
                            std::to_string(answer.body.size()) + "\r\nConnection: close\r\n\r\n" +
                            answer.body);
  }
  std::lock_guard lock(mutex_);
  open_.erase(connection);
  ::close(connection);
}

}  // namespace molbench::testing
