#include "platform/posix/ProcessRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

extern char** environ;

namespace molbench::platform::posix {

namespace {

constexpr size_t kReadBlock = 1 << 16;

// The command has closed its output, so normally it has ended or is about to. A finished
// child is reaped at once; one still running (it closed its output early) is left to a
// detached thread, so no zombie stays behind and the caller never waits for it.
void reap(pid_t pid) {
  // The shell closes its output as it exits; give it a moment to finish before handing the
  // wait to a thread, which costs more than the short poll.
  for (int attempt = 0; attempt < 50; ++attempt) {
    int status = 0;
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done != 0 && !(done < 0 && errno == EINTR)) return;
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::microseconds(20));
  }
  std::thread([pid] {
    int childStatus = 0;
    while (::waitpid(pid, &childStatus, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

std::optional<std::string> runBashCapturingOutput(const std::string& command) {
  int fds[2];
  // Close-on-exec, so children started on other threads meanwhile do not hold our pipe open.
  if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);

  std::string program = "/bin/bash";
  std::string dashC = "-c";
  std::vector<char*> argv = {program.data(), dashC.data(), const_cast<char*>(command.c_str()),
                             nullptr};
  pid_t pid = 0;
  int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (spawned != 0) {
    ::close(fds[0]);
    return std::nullopt;
  }

  std::string output;
  std::vector<char> block(kReadBlock);
  for (;;) {
    ssize_t count = ::read(fds[0], block.data(), block.size());
    if (count > 0) {
      output.append(block.data(), static_cast<size_t>(count));
    } else if (count == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(fds[0]);
  reap(pid);
  return output;
}

}  // namespace molbench::platform::posix
