#include "platform/posix/ProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace molbench::platform::posix {

namespace {

constexpr size_t kReadBlock = 1 << 16;
// How long bash may take to end after it closed its output. It normally ends at once; one that
// keeps running without its output (`exec >&-; sleep 9`) is left to a thread and its status is
// not waited for.
constexpr auto kExitWait = std::chrono::milliseconds(500);

char ompOneThread[] = "OMP_NUM_THREADS=1";

std::vector<char*> childEnvironment() {
  std::vector<char*> environment;
  bool threadsSet = false;
  for (char** entry = environ; entry && *entry; ++entry) {
    threadsSet = threadsSet || std::strncmp(*entry, "OMP_NUM_THREADS=", 16) == 0;
    environment.push_back(*entry);
  }
  if (!threadsSet) environment.push_back(ompOneThread);
  environment.push_back(nullptr);
  return environment;
}

// Follows one stream line by line for lines that say a phrase watched on it; what it finds goes
// into the list both streams share, one line for each phrase.
class LineWatch {
 public:
  LineWatch(const std::vector<WatchedPhrase>* phrases, Stream stream,
            std::vector<std::string>* seen, std::map<std::string, std::size_t>* counts)
      : seen_(seen), counts_(counts) {
    if (phrases)
      for (const auto& watched : *phrases)
        if (watched.stream == stream && !watched.phrase.empty()) phrases_.push_back(watched);
  }

  void feed(const char* data, size_t count) {
    if (phrases_.empty()) return;
    for (const char* end = data + count; data < end;) {
      const char* lineEnd = static_cast<const char*>(std::memchr(data, '\n', end - data));
      const char* stop = lineEnd ? lineEnd : end;
      // A line longer than any message is only kept as far as a message could reach.
      size_t room = kLongestLine > line_.size() ? kLongestLine - line_.size() : 0;
      line_.append(data, std::min(static_cast<size_t>(stop - data), room));
      data = stop;
      if (lineEnd) {
        ++data;
        endLine();
      }
    }
  }

  // Ends the line read so far: at its line feed, or where the stream ends without one.
  void endLine() {
    if (phrases_.empty()) return;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    for (const auto& watched : phrases_) {
      auto line = messageLine(line_, watched);
      if (!line) continue;
      ++(*counts_)[watched.phrase];
      if (!phraseSeen(watched.phrase)) seen_->push_back(*line);
    }
    line_.clear();
  }

 private:
  static constexpr size_t kLongestLine = 4096;

  bool phraseSeen(const std::string& phrase) const {
    return std::any_of(seen_->begin(), seen_->end(),
                       [&](const std::string& line) { return line.starts_with(phrase); });
  }

  std::vector<WatchedPhrase> phrases_;
  std::vector<std::string>* seen_;
  std::map<std::string, std::size_t>* counts_;
  std::string line_;
};

void passThrough(const char* data, size_t count) {
  while (count > 0) {
    ssize_t written = ::write(STDERR_FILENO, data, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    count -= static_cast<size_t>(written);
  }
}

// Reads what standard error holds now (its end does not block), passes it on, keeps its tail
// and watches its lines. False once every writer has closed it.
bool drainError(int fd, std::string& tail, LineWatch& watch) {
  char block[4096];
  for (;;) {
    ssize_t count = ::read(fd, block, sizeof block);
    if (count > 0) {
      passThrough(block, static_cast<size_t>(count));
      tail.append(block, static_cast<size_t>(count));
      watch.feed(block, static_cast<size_t>(count));
      if (tail.size() > kErrorTailBytes) tail.erase(0, tail.size() - kErrorTailBytes);
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else {
      return count < 0 && errno == EAGAIN;
    }
  }
}

// A background child may hold standard error long after the run: it keeps writing to this
// program's standard error, as it would have without the pipe, instead of meeting a closed one.
void keepPassingThrough(int fd) {
  std::thread([fd] {
    std::string ignored;
    LineWatch none(nullptr, Stream::error, nullptr, nullptr);
    pollfd error{fd, POLLIN, 0};
    while (::poll(&error, 1, -1) >= 0 || errno == EINTR) {
      if (!drainError(fd, ignored, none)) break;
      ignored.clear();
    }
    ::close(fd);
  }).detach();
}

void reapLater(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

// Reads standard output to its end while passing standard error on, so neither pipe fills
// and stops the program.
void readOutput(int out, int& error, BashRun& run, LineWatch& outWatch, LineWatch& errorWatch) {
  std::vector<char> block(kReadBlock);
  pollfd watched[2] = {{out, POLLIN, 0}, {error, POLLIN, 0}};
  for (;;) {
    if (::poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0 && !drainError(error, run.errorTail, errorWatch)) {
      ::close(error);
      error = watched[1].fd = -1;
    }
    if (watched[0].revents == 0) continue;
    ssize_t count = ::read(out, block.data(), block.size());
    if (count > 0) {
      run.output->append(block.data(), static_cast<size_t>(count));
      outWatch.feed(block.data(), static_cast<size_t>(count));
    } else if (count == 0 || errno != EINTR) {
      return;
    }
  }
}

// bash has closed its output, so normally it has ended or is about to: its status is read and
// its last error lines with it. Finished children are always reaped (here or by a thread).
void finish(pid_t pid, int error, BashRun& run, LineWatch& watch) {
  auto deadline = std::chrono::steady_clock::now() + kExitWait;
  for (;;) {
    int status = 0;
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
      if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
      break;
    }
    if (done < 0 && errno != EINTR) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      reapLater(pid);
      break;
    }
    if (error < 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(50));
      continue;
    }
    pollfd watched{error, POLLIN, 0};
    if (::poll(&watched, 1, 1) > 0 && !drainError(error, run.errorTail, watch)) {
      ::close(error);
      error = -1;
    }
  }
  if (error >= 0) {
    // What bash and its programs wrote before they ended is in the pipe already.
    if (drainError(error, run.errorTail, watch)) {
      keepPassingThrough(error);
    } else {
      ::close(error);
    }
  }
  watch.endLine();
}

}  // namespace

BashRun runBash(const std::string& command, const std::vector<WatchedPhrase>& watchedPhrases) {
  BashRun run;
  run.watched = watchedPhrases;
  LineWatch outWatch(&watchedPhrases, Stream::output, &run.watchedLines, &run.watchedCounts);
  LineWatch errorWatch(&watchedPhrases, Stream::error, &run.watchedLines, &run.watchedCounts);
  int out[2];
  int err[2];
  // Close-on-exec, so children started on other threads meanwhile do not hold our pipes open.
  if (::pipe2(out, O_CLOEXEC) != 0) {
    run.startError = errno;
    return run;
  }
  if (::pipe2(err, O_CLOEXEC) != 0) {
    run.startError = errno;
    ::close(out[0]);
    ::close(out[1]);
    return run;
  }
  ::fcntl(err[0], F_SETFL, O_NONBLOCK);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Never Molbench's own input: from a terminal, a program reading it would hang the window.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

  std::string program = "/bin/bash";
  std::string dashC = "-c";
  std::vector<char*> argv = {program.data(), dashC.data(), const_cast<char*>(command.c_str()),
                             nullptr};
  auto environment = childEnvironment();
  pid_t pid = 0;
  int spawned =
      ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environment.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  ::close(err[1]);
  if (spawned != 0) {
    run.startError = spawned;
    ::close(out[0]);
    ::close(err[0]);
    return run;
  }

  run.output.emplace();
  int error = err[0];
  readOutput(out[0], error, run, outWatch, errorWatch);
  ::close(out[0]);
  outWatch.endLine();
  finish(pid, error, run, errorWatch);
  return run;
}

std::optional<std::string> messageLine(std::string_view line, const std::string& phrase) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos || !line.substr(start).starts_with(phrase))
    return std::nullopt;
  return std::string(line.substr(start));
}

std::optional<std::string> messageLine(std::string_view line, const WatchedPhrase& watched) {
  auto said = messageLine(line, watched.phrase);
  if (said && !watched.alsoSaying.empty() &&
      said->find(watched.alsoSaying, watched.phrase.size()) == std::string::npos)
    return std::nullopt;
  return said;
}

std::optional<std::string> BashRun::lineSaying(const std::string& phrase) const {
  for (const auto& line : watchedLines)
    if (line.starts_with(phrase)) return line;
  // The error tail holds no line of a phrase that only counts on standard output.
  WatchedPhrase asWatched{phrase};
  for (const auto& one : watched) {
    if (one.phrase == phrase && one.stream == Stream::output) return std::nullopt;
    if (one.phrase == phrase) asWatched = one;
  }
  // A full tail may begin within a line, which is then no line of its own.
  size_t start = 0;
  if (errorTail.size() >= kErrorTailBytes) start = std::min(errorTail.find('\n'), errorTail.size());
  while (start < errorTail.size()) {
    size_t end = std::min(errorTail.find('\n', start), errorTail.size());
    std::string_view line(errorTail.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (auto said = messageLine(line, asWatched)) return said;
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace molbench::platform::posix
