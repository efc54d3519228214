// The SD data-field listing against grep | sed | sort -u on large SD files of two shapes, with
// the listing's peak memory (it must not grow with the file), and a file whose data value is
// one long line.
// The files are whole copies of real SD files, built in /tmp and removed afterwards:
//   egfr.sdf: 116 lines and 8.5 data fields a molecule (many headers);
//   pubchem.200.sdf: 60 lines and one data field a molecule (long atom blocks, few headers).
//   listtags_bench            files of about 300 MB each
//   listtags_bench --small    files of about 5 MB each
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
#include "common/ShellQuote.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"

namespace {

const char* kManyFields = "/usr/share/RDKit/Contrib/PBF/testData/egfr.sdf";
const char* kFewFields = "/usr/share/RDKit/Projects/DbCLI/testData/pubchem.200.sdf";

// A file of whole copies of the source, at least `bytes` long.
std::string buildSdFile(const char* source, std::uintmax_t bytes) {
  std::string path = "/tmp/molbench-listtags-" + std::to_string(::getpid()) + "-" +
                     std::filesystem::path(source).stem().string() + ".sdf";
  std::ifstream in(source, std::ios::binary);
  std::ostringstream copy;
  copy << in.rdbuf();
  std::string block = copy.str();
  std::ofstream out(path, std::ios::binary);
  for (std::uintmax_t written = 0; written < bytes; written += block.size()) out << block;
  return path;
}

// A record whose one data value is a line of `bytes` bytes, then a second data field: a reader
// that searched its buffer from the start after every chunk would take time growing with the
// square of the line.
std::string buildLongLineFile(std::uintmax_t bytes) {
  std::string path = "/tmp/molbench-longline-" + std::to_string(::getpid()) + ".sdf";
  std::ofstream out(path, std::ios::binary);
  out << "long\n\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n> <long_value>\n";
  std::string block(1 << 20, 'x');
  for (std::uintmax_t written = 0; written < bytes; written += block.size()) out << block;
  out << "\n\n> <after_the_long_line>\n1\n\n$$$$\n";
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
  auto output =
      molbench::shell(molbench::quotedPath(self) + " --memory " + molbench::quotedPath(path));
  return output ? std::stol(*output) : -1;
}

void compare(const std::string& self, const std::string& path, int runs) {
  std::printf("%s\n", std::filesystem::path(path).filename().c_str());
  molbench::headless::Harness h;
  auto& pane = h.make<molbench::Convertcontroller>("Convertcontroller");
  h.field(pane, "inputFilepath").setText(path);
  std::string pipeline = "grep -a -e '> <' -e '>  <' " + molbench::quotedPath(path) +
                         " | sed -e 's/> <//g' -e 's/>  <//g' -e 's/>//g' | sort -u";
  double tools = bestSeconds(runs, [&] { molbench::shell(pipeline); });
  double ours = bestSeconds(runs, [&] { h.press(pane, "listTags:"); });
  double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  std::printf(
      "%7.1f MB  grep|sed|sort %7.3f s  listTags %7.3f s  ratio %.2f (target <= 1.00)"
      "  peak memory growth %ld kB\n",
      megabytes, tools, ours, ours / tools, peakGrowthKilobytes(self, path));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--memory") == 0) return measureMemory(argv[2]);
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  std::string self = std::filesystem::canonical("/proc/self/exe");
  std::uintmax_t full = small ? 5'000'000 : 300'000'000;
  std::vector<std::string> files = {buildSdFile(kManyFields, full), buildSdFile(kFewFields, full)};
  for (const auto& file : files) compare(self, file, small ? 3 : 2);
  std::printf("one data value line of a tenth of the size (held whole, as a line is):\n");
  files.push_back(buildLongLineFile(full / 10));
  compare(self, files.back(), 2);
  for (const auto& file : files) std::filesystem::remove(file);
  return 0;
}
