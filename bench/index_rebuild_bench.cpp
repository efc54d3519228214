// The search pane's index rebuild against the bare obabel rebuild of the same index, over
// copies of RDKit's NCI first_5K.smi: the pane first keeps a copy of the old index, and judges
// the new one after. Then what the copy costs on its own for a large index (the bytes of the
// built index repeated to about 130 MB): kept and removed, as after a sound build, and kept and
// written back, as after a build that left no index.
//   index_rebuild_bench            4 copies (20,000 molecules), three runs each
//   index_rebuild_bench --small    1 copy (5,000 molecules), one run each
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/Harness.h"
#include "search/IndexBackup.h"
#include "search/SearchViewController.h"

namespace {

const std::string kNci = "/usr/share/RDKit/Data/NCI/first_5K.smi";

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeRepeated(const std::string& path, const std::string& content, int copies) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < copies; ++i) out << content;
}

double median(int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  int copies = small ? 1 : 4, runs = small ? 1 : 3;
  molbench::headless::Harness h;
  std::string folder = h.temporaryDirectory(), input = folder + "/nci.smi";
  std::string index = folder + "/nci.fs";
  writeRepeated(input, contentOf(kNci), copies);
  std::string bare = "/usr/bin/obabel " + input + " -ofs -O " + index + " >/dev/null 2>&1";
  if (std::system(bare.c_str()) != 0) return 1;
  h.defaults().set("pathToobabel", "/usr/bin/obabel");
  auto& pane = h.make<molbench::SearchViewController>("SearchViewController");
  h.field(pane, "inputFilepath").setText(input);
  h.field(pane, "fssearchPath").setText(index);
  double bareTime = median(runs, [&] { (void)std::system(bare.c_str()); });
  double paneTime = median(runs, [&] { h.press(pane, "createFS:"); });
  std::printf("Rebuild of an index of %d molecules: bare %.3f s  createFS %.3f s  ratio %.3f%s\n",
              5000 * copies, bareTime, paneTime, paneTime / bareTime,
              h.alerts().empty() ? "" : "  (alerts!)");

  std::string large = folder + "/large.fs";
  std::string built = contentOf(index);
  writeRepeated(large, built, static_cast<int>((130 << 20) / std::max<size_t>(built.size(), 1)));
  double megabytes = static_cast<double>(contentOf(large).size()) / (1 << 20);
  double kept = median(runs, [&] {
    molbench::IndexBackup backup(large, folder);
    (void)backup.keepCopy();
    backup.discard();
  });
  double restored = median(runs, [&] {
    molbench::IndexBackup backup(large, folder);
    (void)backup.keepCopy();
    std::ofstream(large, std::ios::binary | std::ios::trunc).flush();  // as obabel empties it
    (void)backup.putBack();
  });
  std::printf("Copy of a %.0f MB index: kept and removed %.3f s  kept and written back %.3f s\n",
              megabytes, kept, restored);
  return 0;
}
