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

int obabelCount(const std::vector<std::string>& arguments) {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 2);
  posix_spawn_file_actions_addclose(&actions, ends[0]);
  std::vector<char*> argv{const_cast<char*>(kObabel)};
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  int started = ::posix_spawn(&child, kObabel, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(ends[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
  ::close(ends[0]);
  if (started == 0) ::waitpid(child, nullptr, 0);
  std::smatch match;
  if (!std::regex_search(output, match, std::regex(R"((\d+) molecules? converted)"))) return -1;
  return std::stoi(match[1]);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void SearchPaneTest::useStandIn() {
  std::string program = temp() + "/stand-in-obabel";
  std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.arguments\"\n";
  ::chmod(program.c_str(), 0755);
  useObabel(program);
}

std::vector<std::string> SearchPaneTest::standInArguments() {
  std::vector<std::string> lines;
  std::istringstream in(readFile(temp() + "/stand-in-obabel.arguments"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace molbench::testing
