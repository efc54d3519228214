// The conversion pane's Convert against the bare obabel run (spawned directly, no shell) on
// the same large SD file, SD to SMILES.
//   convert_bench            about 50 MB (14,600 molecules)
//   convert_bench --small    about 1.2 MB (365 molecules)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"

extern char** environ;

namespace {

const char* kSource = "/usr/share/RDKit/Contrib/PBF/testData/egfr.sdf";
const char* kObabel = "/usr/bin/obabel";

std::string buildSdFile(const std::string& folder, int copies) {
  std::string path = folder + "/large.sdf";
  std::ifstream in(kSource, std::ios::binary);
  std::ostringstream copy;
  copy << in.rdbuf();
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < copies; ++i) out << copy.str();
  return path;
}

void runBare(const std::string& input, const std::string& output) {
  std::vector<std::string> args = {kObabel, "-isdf", input, "-osmi", "-O", output};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (::posix_spawn(&pid, kObabel, nullptr, nullptr, argv.data(), environ) != 0) return;
  int status;
  ::waitpid(pid, &status, 0);
}

double seconds(const std::function<void()>& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  // obabel's summary lines would drown the figures.
  int quiet = ::open("/dev/null", O_WRONLY);
  ::dup2(quiet, STDERR_FILENO);

  molbench::headless::Harness h;
  std::string input = buildSdFile(h.temporaryDirectory(), small ? 1 : 40);
  h.defaults().set("pathToobabel", kObabel);
  auto& pane = h.make<molbench::Convertcontroller>("Convertcontroller");
  std::string ours = h.temporaryDirectory() + "/ours.smi";
  h.field(pane, "inputFilepath").setText(input);
  h.field(pane, "outputFilepath").setText(ours);
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");

  // Alternate the two so that drift of the machine affects both alike.
  std::vector<double> bare, paneRuns;
  for (int round = 0; round < 5; ++round) {
    bare.push_back(seconds([&] { runBare(input, h.temporaryDirectory() + "/bare.smi"); }));
    paneRuns.push_back(seconds([&] { h.press(pane, "convertFile:"); }));
  }
  double b = median(bare), p = median(paneRuns);
  std::printf(
      "SD to SMILES, %s: bare obabel %.3f s  convertFile %.3f s  ratio %.3f (target <= 1.02)\n",
      small ? "365 molecules" : "14600 molecules", b, p, p / b);
  return 0;
}
