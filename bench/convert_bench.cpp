// The conversion pane's Convert against the bare obabel run (spawned directly, no shell) on
// the same large SD file, SD to SMILES; then a split of the molecules a property filter keeps
// against the two bare runs a user would make (copy the selected records, split those). A property
// filter, as the pane checks a SMARTS pattern with obabel before it runs, which would add a fixed
// cost that is not the split's. Then that split compressed, against the same bare runs. Last, a
// split into SD (which the pane copies molecule by molecule) against its two bare runs. Then SD to
// SD over the large output of the run before, which the pane keeps aside while obabel runs.
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
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "convert/Convertcontroller.h"
#include "convert/CopiedInput.h"
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

void runBare(std::vector<std::string> args) {
  args.insert(args.begin(), kObabel);
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

long files(const std::string& folder) {
  return std::distance(std::filesystem::directory_iterator(folder), {});
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Times the pane's split of what its filter keeps into `format` against the two bare runs a
// user would make for the same files (copy the selected records, split those into that format),
// and, for the record, against the two that write the selection in that format and split that.
// Prints all and returns the latter bare time.
double timeSplit(molbench::headless::Harness& h, molbench::Convertcontroller& pane,
                 const std::string& input, const std::string& format) {
  std::string selected = h.temporaryDirectory() + "/selected." + format;
  std::string copied = h.temporaryDirectory() + "/copied.sdf";
  std::string bareSplit = h.temporaryDirectory() + "/bare" + format;
  std::string ourSplit = h.temporaryDirectory() + "/ours" + format;
  for (const auto& folder : {bareSplit, ourSplit}) std::filesystem::create_directory(folder);
  h.field(pane, "outputFilepath").setText(ourSplit + "/m." + format);
  std::vector<double> bare, copying, paneRuns;
  for (int round = 0; round < 5; ++round) {
    bare.push_back(seconds([&] {
      runBare({"-isdf", input, "--filter", "MW<260", "-o" + format, "-O", selected});
      runBare({"-i" + format, selected, "-o" + format, "-O", bareSplit + "/m." + format, "-m"});
    }));
    copying.push_back(seconds([&] {
      runBare({"-isdf", input, "--filter", "MW<260", "-ocopy", "-O", copied});
      runBare({"-isdf", copied, "-o" + format, "-O", bareSplit + "/m." + format, "-m"});
    }));
    paneRuns.push_back(seconds([&] { h.press(pane, "convertFile:"); }));
  }
  double b = median(bare), c = median(copying), p = median(paneRuns);
  std::printf(
      "Split of the filtered into %s, %ld files (bare %ld): two bare obabel runs copying %.3f s  "
      "convertFile %.3f s  ratio %.3f (target <= 1.02); runs through %s %.3f s, ratio %.3f\n",
      format.c_str(), files(ourSplit), files(bareSplit), c, p, p / c, format.c_str(), b, p / b);
  return b;
}

// The pane's check that obabel can copy the input's records whole reads the file through.
void timeInputScan(const std::string& input) {
  std::vector<double> scans;
  for (int round = 0; round < 5; ++round)
    scans.push_back(seconds([&] { molbench::copyReading(input, molbench::CopiedRecords::kMdl); }));
  std::printf("Scan of the input for a copy: %.2f ms (%.1f MB)\n", median(scans) * 1000,
              static_cast<double>(std::filesystem::file_size(input)) / 1e6);
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
  std::string bareOutput = h.temporaryDirectory() + "/bare.smi";
  for (int round = 0; round < 5; ++round) {
    bare.push_back(seconds([&] { runBare({"-isdf", input, "-osmi", "-O", bareOutput}); }));
    paneRuns.push_back(seconds([&] { h.press(pane, "convertFile:"); }));
  }
  double b = median(bare), p = median(paneRuns);
  std::printf(
      "SD to SMILES, %s: bare obabel %.3f s  convertFile %.3f s  ratio %.3f (target <= 1.02)\n",
      small ? "365 molecules" : "14600 molecules", b, p, p / b);

  // One molecule in eighteen is that light: 20 files, or 800 from the large file.
  h.button(pane, "filterOption").setOn(true);
  h.field(pane, "filterProperties").setText("MW<260");
  h.button(pane, "splitIntoindividualmols").setOn(true);
  timeInputScan(input);
  b = timeSplit(h, pane, input, "smi");
  // The same split compressed: obabel's own (-m -z) compresses each file twice, so the pane
  // splits uncompressed and runs gzip once a file; measured against the bare uncompressed split.
  std::string ourCompressed = h.temporaryDirectory() + "/oursgz";
  std::filesystem::create_directory(ourCompressed);
  h.field(pane, "outputFilepath").setText(ourCompressed + "/m.smi");
  h.button(pane, "zipoutput").setOn(true);
  paneRuns.clear();
  for (int round = 0; round < 5; ++round)
    paneRuns.push_back(seconds([&] { h.press(pane, "convertFile:"); }));
  p = median(paneRuns);
  long written = files(ourCompressed);
  std::printf(
      "Compressed split of the filtered, %ld files: convertFile %.3f s  ratio %.3f to the bare "
      "uncompressed split  gzip %.2f ms a file\n",
      written, p, p / b, written ? (p - b) * 1000 / static_cast<double>(written) : 0.0);

  h.button(pane, "zipoutput").setOn(false);
  h.choose(pane, "outputFiletype", "sdf -- MDL MOL format");
  timeSplit(h, pane, input, "sdf");

  // Over the large output of the run before: the pane keeps its bytes aside while obabel runs.
  h.button(pane, "filterOption").setOn(false);
  h.button(pane, "splitIntoindividualmols").setOn(false);
  std::string oursSd = h.temporaryDirectory() + "/ours.sdf";
  std::string bareSd = h.temporaryDirectory() + "/bare.sdf";
  h.field(pane, "outputFilepath").setText(oursSd);
  bare.clear();
  paneRuns.clear();
  for (int round = 0; round < 5; ++round) {
    bare.push_back(seconds([&] { runBare({"-isdf", input, "-osdf", "-O", bareSd}); }));
    paneRuns.push_back(seconds([&] { h.press(pane, "convertFile:"); }));
  }
  b = median(bare), p = median(paneRuns);
  std::printf(
      "SD to SD over the %.1f MB output of the run before: bare obabel %.3f s  convertFile %.3f s  "
      "ratio %.3f (target <= 1.02)\n",
      static_cast<double>(std::filesystem::file_size(oursSd)) / 1e6, b, p, p / b);
  return 0;
}
