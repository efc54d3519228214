#include "TestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "app/Scenes.h"
#include "common/ShellQuote.h"

namespace molbench::testing {

namespace {
// The harness knows no scenes of its own: every suite registers the program's scenes once, so
// a pane that makes others by identifier (the tools window) finds them.
const bool scenesRegistered = (registerScenes(), true);
}  // namespace

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
  auto folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << content;
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

void writeArgumentRecorder(const std::string& path, const std::string& argumentsFile) {
  std::string quotedTarget = "'";
  for (char c : argumentsFile) quotedTarget += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quotedTarget += "'";
  writeFile(path, "#!/bin/bash\n: > " + quotedTarget +
                      "\nfor a in \"$@\"; do printf '%s\\0' \"$a\" >> " + quotedTarget +
                      "; done\n");
  ::chmod(path.c_str(), 0755);
}

std::vector<std::string> recordedArguments(const std::string& argumentsFile) {
  std::vector<std::string> arguments;
  std::string content = readFile(argumentsFile);
  size_t start = 0;
  for (size_t i = 0; i < content.size(); ++i) {
    if (content[i] == '\0') {
      arguments.push_back(content.substr(start, i - start));
      start = i + 1;
    }
  }
  return arguments;
}

std::string runForOutput(const std::string& command) {
  std::string output;
  // Open Babel's OpenMP threads spin while they wait for each other: on a busy machine one 3D
  // generation then takes minutes. Molbench's own runs get one thread from its process runner;
  // the tests' direct calls ask for it here.
  std::string oneThread = "OMP_NUM_THREADS=${OMP_NUM_THREADS:-1}; export OMP_NUM_THREADS; ";
  FILE* pipe = ::popen((oneThread + command).c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  size_t count;
  while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
  ::pclose(pipe);
  return output;
}

int obabelCount(const std::vector<std::string>& arguments) {
  std::string command = kObabel;
  for (const auto& argument : arguments) command += " " + quotedPath(argument);
  std::string output = runForOutput(command + " 2>&1 >/dev/null");
  std::smatch match;
  if (!std::regex_search(output, match, std::regex(R"((\d+) molecules? converted)"))) return -1;
  return std::stoi(match[1]);
}

std::string testDataPath(const std::string& name) {
  return std::string(MOLBENCH_TEST_DATA_DIR) + "/" + name;
}

}  // namespace molbench::testing
