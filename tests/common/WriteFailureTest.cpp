// obabel that cannot write its output, or meets a full disk, still exits 0: every pane that
// writes a file says so, naming the file, and keeps what was written. Run with the real obabel.
#include <gmock/gmock.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "tools/obconfabviewcontroller.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

const std::string kSdfRow = "sdf -- MDL MOL format";

// A small tmpfs of its own at `folder`, unmounted at the end: a file system a test can make
// read-only or fill. Root only; `error` says why there is none.
class ScratchDisk {
 public:
  explicit ScratchDisk(const std::string& folder, const std::string& size) : folder_(folder) {
    std::filesystem::create_directories(folder);
    std::string options = "size=" + size;
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
      error = std::strerror(errno);
  }
  ~ScratchDisk() {
    if (error.empty()) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  void makeReadOnly() {
    if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
      error = std::strerror(errno);
  }
  std::string error;

 private:
  std::string folder_;
};

struct WritingPane {
  std::string name;
  // Makes the pane, gives it a readable input and `output`, and runs it.
  std::function<void(headless::Harness&, const std::string& output)> run;
  bool split = false;  // the file obabel stops at is the output's name numbered 10
  std::string extension = ".sdf";
  // The pane moves an earlier file aside before the run, and says so when it cannot.
  bool movesEarlierAside = false;
};

void PrintTo(const WritingPane& c, std::ostream* out) { *out << c.name; }

std::string scratchCopy(headless::Harness& h, const std::string& data) {
  std::string path = h.temporaryDirectory() + "/in " + data;
  std::filesystem::copy_file(testDataPath(data), path,
                             std::filesystem::copy_options::overwrite_existing);
  return path;
}

void convert(headless::Harness& h, const std::string& output, bool split) {
  auto& pane = h.make<Convertcontroller>("Convertcontroller");
  std::string input = h.temporaryDirectory() + "/in30.sdf";  // more than 9 files' worth
  obabelCount({testDataPath("cdk2.sdf"), "-l", "30", "-O", input});
  h.field(pane, "inputFilepath").setText(input);
  h.field(pane, "outputFilepath").setText(output);
  h.choose(pane, "inputFiletype", kSdfRow);
  h.choose(pane, "outputFiletype", kSdfRow);
  h.button(pane, "splitIntoindividualmols").setOn(split);
  h.press(pane, "convertFile:");
}

template <class Pane>
void tool(headless::Harness& h, const std::string& identifier, const std::string& action,
          const std::string& output) {
  auto& pane = h.make<Pane>(identifier);
  h.field(pane, "inputFilepath").setText(scratchCopy(h, "cdk2-12.sdf"));  // 3D: one obabel run
  h.field(pane, "outputFilepath").setText(output);
  h.press(pane, action);
}

// The search pane looking for amides, writing `output`, by `action`.
void search(headless::Harness& h, const std::string& output, const std::string& action) {
  auto& pane = h.make<SearchViewController>("SearchViewController");
  std::string molecules = scratchCopy(h, "cdk2.sdf");
  std::string index = h.temporaryDirectory() + "/cdk2.fs";
  obabelCount({molecules, "-ofs", "-O", index});
  h.field(pane, "inputFilepath").setText(molecules);
  h.field(pane, "fssearchPath").setText(index);
  h.field(pane, "outputFilepath").setText(output);
  h.choose(pane, "inputFiletype", kSdfRow);
  h.choose(pane, "outputFiletype", kSdfRow);
  h.choose(pane, "smartsSearchoptions", "matching");
  h.field(pane, "smartsSearch").setText("C(=O)N");
  h.press(pane, action);
}

void indexSearch(headless::Harness& h, const std::string& output) {
  search(h, output, "runFSsearch:");
}

void fileSearch(headless::Harness& h, const std::string& output) {
  search(h, output, "checkObabel:");
}

void indexBuild(headless::Harness& h, const std::string& index) {
  auto& pane = h.make<SearchViewController>("SearchViewController");
  h.field(pane, "inputFilepath").setText(scratchCopy(h, "cdk2.sdf"));
  h.field(pane, "fssearchPath").setText(index);
  h.press(pane, "createFS:");
}

class UnwrittenOutput : public ::testing::TestWithParam<WritingPane> {
 protected:
  UnwrittenOutput() { h.defaults().set("pathToobabel", kObabel); }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }

  void expectSaid(const std::string& file) {
    ASSERT_EQ(h.alerts().size(), 1u) << GetParam().name;
    EXPECT_EQ(h.alerts()[0].messageText, "obabel could not write its output");
    EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("It could not write \"" + file + "\""));
    EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("Cannot write to " + file));
  }

  headless::Harness h;
};

// Names past the file system's 255 bytes: the split writes 9 of them before the 10th fails.
TEST_P(UnwrittenOutput, ANameTooLongIsSaidAndTheFilesWrittenKept) {
  const WritingPane& c = GetParam();
  std::string base = scratch(std::string(c.split ? 250 : 300, 'y'));
  c.run(h, base + c.extension);
  expectSaid(c.split ? base + "10.sdf" : base + c.extension);
  for (int i = 1; c.split && i <= 9; ++i)
    EXPECT_EQ(obabelCount({base + std::to_string(i) + ".sdf", "-onul"}), 1) << i;
}

// An earlier result that cannot be replaced (run as root, a read-only file system) stays as it
// was: it must not pass for this run's result.
TEST_P(UnwrittenOutput, AnEarlierResultThatCannotBeReplacedIsSaidAndKept) {
  const WritingPane& c = GetParam();
  if (c.movesEarlierAside) GTEST_SKIP() << "the earlier file cannot be moved aside: refused";
  ScratchDisk disk(scratch("read-only"), "1m");
  std::string output = scratch("read-only/earlier" + c.extension);
  std::string written = c.split ? scratch("read-only/earlier1.sdf") : output;
  if (disk.error.empty()) writeFile(written, "earlier\n");
  if (disk.error.empty()) disk.makeReadOnly();
  if (!disk.error.empty()) GTEST_SKIP() << "no tmpfs to make read-only: " << disk.error;
  c.run(h, output);
  expectSaid(written);
  EXPECT_EQ(readFile(written), "earlier\n");
}

INSTANTIATE_TEST_SUITE_P(
    Panes, UnwrittenOutput,
    ::testing::Values(
        WritingPane{"ConvertSingleRun",
                    [](headless::Harness& h, const std::string& out) { convert(h, out, false); }},
        WritingPane{"ConvertSplit",
                    [](headless::Harness& h, const std::string& out) { convert(h, out, true); },
                    true},
        WritingPane{"Obgen",
                    [](headless::Harness& h, const std::string& out) {
                      tool<obgenviewcontroller>(h, "obgen", "runObgen:", out);
                    }},
        WritingPane{"Confab",
                    [](headless::Harness& h, const std::string& out) {
                      tool<obconfabviewcontroller>(h, "obconfab", "runobConfab:", out);
                    }},
        WritingPane{"IndexSearch", indexSearch}, WritingPane{"FileSearch", fileSearch},
        WritingPane{"IndexBuild", indexBuild, false, ".fs", true}),
    [](const auto& info) { return info.param.name; });

struct FillingRun {
  std::string name;
  std::function<void(headless::Harness&, const std::string& output)> run;
  std::size_t filler;  // bytes the disk holds before the run
};

void PrintTo(const FillingRun& c, std::ostream* out) { *out << c.name; }

class FullDisk : public ::testing::TestWithParam<FillingRun> {};

// A disk that fills during the run: obabel writes what fits, mid-molecule, and exits 0.
TEST_P(FullDisk, AnOutputThatFilledItsDiskIsSaidAndKept) {
  headless::Harness h;
  h.defaults().set("pathToobabel", kObabel);
  std::string folder = h.temporaryDirectory() + "/full";
  ScratchDisk disk(folder, "64k");
  if (!disk.error.empty()) GTEST_SKIP() << "no tmpfs to fill: " << disk.error;
  writeFile(folder + "/filler", std::string(GetParam().filler, 'f'));
  GetParam().run(h, folder + "/out.sdf");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "The output may be cut short");
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("\"" + folder + "/out.sdf\""));
  EXPECT_GT(std::filesystem::file_size(folder + "/out.sdf"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FullDisk,
    ::testing::Values(
        FillingRun{"ConvertSingleRun",
                   [](headless::Harness& h, const std::string& out) { convert(h, out, false); }, 0},
        // Two obabel runs joined by a pipe: 3D coordinates for the flat molecules, then Confab.
        FillingRun{"ConfabPipe",
                   [](headless::Harness& h, const std::string& out) {
                     auto& pane = h.make<obconfabviewcontroller>("obconfab");
                     h.field(pane, "inputFilepath").setText(scratchCopy(h, "small.sdf"));
                     h.field(pane, "outputFilepath").setText(out);
                     h.press(pane, "runobConfab:");
                   },
                   48 * 1024}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molbench::testing
