// What `shell` adds to the program it runs: the same command spawned bare (posix_spawn, pipe,
// read into a string, wait) against `shell`, for a command with no output and one with 20 MB of output.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Shell.h"

extern char** environ;

namespace {

void bareSpawn(const std::string& command) {
  int fds[2];
  if (::pipe(fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> argv = {const_cast<char*>("/bin/bash"), const_cast<char*>("-c"),
                             const_cast<char*>(command.c_str()), nullptr};
  pid_t pid;
  ::posix_spawn(&pid, "/bin/bash", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  // Keep what arrives, as any caller that uses the output must.
  std::string output;
  std::vector<char> block(1 << 16);
  ssize_t count;
  while ((count = ::read(fds[0], block.data(), block.size())) > 0)
    output.append(block.data(), static_cast<size_t>(count));
  ::close(fds[0]);
  int status;
  ::waitpid(pid, &status, 0);
}

template <class Run>
double secondsFor(int runs, Run run) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void compare(const char* label, const std::string& command, int runs) {
  // Alternate the two so that drift of the machine affects both alike.
  double bare = 0, ours = 0;
  for (int round = 0; round < 4; ++round) {
    bare += secondsFor(runs / 4, [&] { bareSpawn(command); });
    ours += secondsFor(runs / 4, [&] { molbench::shell(command); });
  }
  std::printf("%-28s bare %8.3f ms/run   shell %8.3f ms/run   ratio %.3f   (+%.3f ms)\n", label,
              1000 * bare / runs, 1000 * ours / runs, ours / bare, 1000 * (ours - bare) / runs);
}

}  // namespace

int main(int argc, char** argv) {
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  compare("true", "true", small ? 40 : 1000);
  compare("20 MB of output", "head -c 20000000 /dev/zero", small ? 8 : 100);
  return 0;
}
