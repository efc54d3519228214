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

// The phrases a run's standard error is watched for, and those it has written so far.
struct ErrorWatch {
  const std::vector<std::string>* phrases = nullptr;
  std::vector<std::string> seen;
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

// Notes each watched phrase that the text appended to the tail from `from` on completes: the
// tail still holds the bytes before it, so a phrase split between two reads is found too.
void notePhrases(const std::string& tail, size_t from, ErrorWatch& watch) {
  if (!watch.phrases) return;
  for (const auto& phrase : *watch.phrases) {
    if (phrase.empty() ||
        std::find(watch.seen.begin(), watch.seen.end(), phrase) != watch.seen.end())
      continue;
    size_t start = from >= phrase.size() - 1 ? from - (phrase.size() - 1) : 0;
    if (tail.find(phrase, start) != std::string::npos) watch.seen.push_back(phrase);
  }
}

// Reads what standard error holds now (its end does not block), passes it on, keeps its tail
// and notes the watched phrases. False once every writer has closed it.
bool drainError(int fd, std::string& tail, ErrorWatch& watch) {
  char block[4096];
  for (;;) {
    ssize_t count = ::read(fd, block, sizeof block);
    if (count > 0) {
      passThrough(block, static_cast<size_t>(count));
      size_t from = tail.size();
      tail.append(block, static_cast<size_t>(count));
      notePhrases(tail, from, watch);
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
    ErrorWatch none;
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
void readOutput(int out, int& error, BashRun& run, ErrorWatch& watch) {
  std::vector<char> block(kReadBlock);
  pollfd watched[2] = {{out, POLLIN, 0}, {error, POLLIN, 0}};
  for (;;) {
    if (::poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0 && !drainError(error, run.errorTail, watch)) {
      ::close(error);
      error = watched[1].fd = -1;
    }
    if (watched[0].revents == 0) continue;
    ssize_t count = ::read(out, block.data(), block.size());
    if (count > 0) {
      run.output->append(block.data(), static_cast<size_t>(count));
    } else if (count == 0 || errno != EINTR) {
      return;
    }
  }
}

// bash has closed its output, so normally it has ended or is about to: its status is read and
// its last error lines with it. Finished children are always reaped (here or by a thread).
void finish(pid_t pid, int error, BashRun& run, ErrorWatch& watch) {
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
  if (error < 0) return;
  // What bash and its programs wrote before they ended is in the pipe already.
  if (drainError(error, run.errorTail, watch)) {
    keepPassingThrough(error);
  } else {
    ::close(error);
  }
}

}  // namespace

BashRun runBash(const std::string& command, const std::vector<std::string>& watchedPhrases) {
  BashRun run;
  ErrorWatch watch{&watchedPhrases, {}};
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
  readOutput(out[0], error, run, watch);
  ::close(out[0]);
  finish(pid, error, run, watch);
  run.errorPhrasesSeen = std::move(watch.seen);
  return run;
}

}  // namespace molbench::platform::posix
