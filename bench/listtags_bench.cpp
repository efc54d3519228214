// The SD data-field listing against grep | sed | sort -u on the same large SD file, and the
// listing's peak memory on two file sizes (it must not grow with the file), and a file that is
// one long line.
//   listtags_bench            files of about 150 MB and 300 MB
//   listtags_bench --small    files of about 2.5 MB and 5 MB
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/Shell.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"

namespace {

const char* kSource = "/usr/share/RDKit/Contrib/PBF/testData/egfr.sdf";

// A file of whole copies of the source, at least `bytes` long.
std::string buildSdFile(std::uintmax_t bytes) {
  std::string path =
      "/tmp/molbench-listtags-" + std::to_string(::getpid()) + "-" + std::to_string(bytes) + ".sdf";
  std::ifstream in(kSource, std::ios::binary);
  std::ostringstream copy;
  copy << in.rdbuf();
  std::string block = copy.str();
  std::ofstream out(path, std::ios::binary);
  for (std::uintmax_t written = 0; written < bytes; written += block.size()) out << block;
  return path;
}

// One line of `bytes` bytes, then one data header: a reader that searched its buffer from the
// start after every chunk would take time growing with the square of the line.
std::string buildLongLineFile(std::uintmax_t bytes) {
  std::string path = "/tmp/molbench-longline-" + std::to_string(::getpid()) + ".sdf";
  std::ofstream out(path, std::ios::binary);
  std::string block(1 << 20, 'x');
  for (std::uintmax_t written = 0; written < bytes; written += block.size()) out << block;
  out << "\n> <after_the_long_line>\n";
  return path;
}

template <class Run>
double bestSeconds(int runs, Run run) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

long statusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
  return -1;
}

// Child mode: the growth of the peak resident size while one listing runs, in kB.
int measureMemory(const std::string& path) {
  molbench::headless::Harness h;
  auto& pane = h.make<molbench::Convertcontroller>("Convertcontroller");
  h.field(pane, "inputFilepath").setText(path);
  // Start the peak from the present size, so only the listing can raise it.
  std::ofstream("/proc/self/clear_refs") << "5";
  long before = statusKilobytes("VmRSS:");
  h.press(pane, "listTags:");
  std::printf("%ld\n", statusKilobytes("VmHWM:") - before);
  return 0;
}

long peakGrowthKilobytes(const std::string& self, const std::string& path) {
  auto output = molbench::shell("'" + self + "' --memory '" + path + "'");
  return output ? std::stol(*output) : -1;
}

void compare(const std::string& self, const std::string& path, int runs) {
  molbench::headless::Harness h;
  auto& pane = h.make<molbench::Convertcontroller>("Convertcontroller");
  h.field(pane, "inputFilepath").setText(path);
  std::string pipeline = "grep -a -e '> <' -e '>  <' '" + path +
                         "' | sed -e 's/> <//g' -e 's/>  <//g' -e 's/>//g' | sort -u";
  double tools = bestSeconds(runs, [&] { molbench::shell(pipeline); });
  double ours = bestSeconds(runs, [&] { h.press(pane, "listTags:"); });
  double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  std::printf(
      "%7.1f MB  grep|sed|sort %7.3f s  listTags %7.3f s  ratio %.2f (target <= 1.50)"
      "  peak memory growth %ld kB\n",
      megabytes, tools, ours, ours / tools, peakGrowthKilobytes(self, path));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--memory") == 0) return measureMemory(argv[2]);
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  std::string self = std::filesystem::canonical("/proc/self/exe");
  std::uintmax_t full = small ? 5'000'000 : 300'000'000;
  std::vector<std::string> files = {buildSdFile(full / 2), buildSdFile(full)};
  for (const auto& file : files) compare(self, file, 3);
  std::printf("one line of the whole size:\n");
  files.push_back(buildLongLineFile(full));
  compare(self, files.back(), 3);
  for (const auto& file : files) std::filesystem::remove(file);
  return 0;
}
