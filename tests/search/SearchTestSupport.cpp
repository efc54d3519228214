#include "SearchTestSupport.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>

extern char** environ;

namespace molbench::testing {

std::string runDirect(const std::vector<std::string>& argv) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t child = -1;
  int started = ::posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  std::string output;
  char buffer[65536];
  ssize_t n;
  while ((n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
    output.append(buffer, static_cast<size_t>(n));
  ::close(pipeEnds[0]);
  if (started == 0) ::waitpid(child, nullptr, 0);
  return output;
}

int convertedCount(const std::string& obabelOutput) {
  static const std::regex summary(R"((\d+) molecules? converted)");
  std::smatch match;
  if (!std::regex_search(obabelOutput, match, summary)) return -1;
  return std::stoi(match[1]);
}

int moleculesIn(const std::string& path) {
  return convertedCount(runDirect({kObabel, path, "-onul"}));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

StandInProgram::StandInProgram(const std::string& folder)
    : path_(folder + "/stand-in-obabel"), record_(folder + "/arguments.txt") {
  writeFile(path_,
            "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record_ + "'\n");
  ::chmod(path_.c_str(), 0755);
}

std::vector<std::string> StandInProgram::arguments() const {
  std::vector<std::string> lines;
  std::istringstream in(readFile(record_));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool StandInProgram::ran() const { return ::access(record_.c_str(), F_OK) == 0; }

}  // namespace molbench::testing
