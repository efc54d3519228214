// obabel that cannot write its output, or meets a full disk, still exits 0: every pane that
// writes a file says so, naming the file, and keeps what was written. Run with the real obabel.
#include <gmock/gmock.h>
#include <sys/mount.h>

#include <filesystem>
#include <memory>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "tools/obconfabviewcontroller.h"

namespace molbench::testing {
namespace {

using headless::Harness;
using ::testing::HasSubstr;

const std::string kSdfRow = "sdf -- MDL MOL format";

void convert(Harness& h, const std::string& output, bool split) {
  auto& pane = h.make<Convertcontroller>("Convertcontroller");
  h.field(pane, "inputFilepath").setText(testDataPath("cdk2.sdf"));  // more than 9 files' worth
  h.field(pane, "outputFilepath").setText(output);
  h.choose(pane, "inputFiletype", kSdfRow);
  h.choose(pane, "outputFiletype", kSdfRow);
  h.button(pane, "splitIntoindividualmols").setOn(split);
  h.press(pane, "convertFile:");
}

// From flat molecules, two obabel runs joined by a pipe: 3D coordinates, then Confab.
void confab(Harness& h, const std::string& output, bool flat) {
  auto& pane = h.make<obconfabviewcontroller>("obconfab");
  h.field(pane, "inputFilepath").setText(testDataPath(flat ? "small.sdf" : "cdk2-12.sdf"));
  h.field(pane, "outputFilepath").setText(output);
  h.press(pane, "runobConfab:");
}

// The search pane by `action`: amides from the molecules or their index into `output`, or the
// index built at `output`.
void search(Harness& h, const std::string& output, const std::string& action) {
  auto& pane = h.make<SearchViewController>("SearchViewController");
  // An index names its molecule file as the file beside it.
  std::string molecules = h.temporaryDirectory() + "/cdk2.sdf", index = molecules + ".fs";
  std::filesystem::copy_file(testDataPath("cdk2.sdf"), molecules);
  bool build = action == "createFS:";
  if (!build) obabelCount({molecules, "-ofs", "-O", index});
  h.field(pane, "inputFilepath").setText(molecules);
  h.field(pane, "fssearchPath").setText(build ? output : index);
  h.field(pane, "outputFilepath").setText(build ? "" : output);
  h.choose(pane, "inputFiletype", kSdfRow);
  h.choose(pane, "outputFiletype", kSdfRow);
  h.choose(pane, "smartsSearchoptions", "matching");
  h.field(pane, "smartsSearch").setText("C(=O)N");
  h.press(pane, action);
}

struct WritingPane {
  std::string name;
  void (*run)(Harness&, const std::string& output);
  bool split = false;  // the file obabel stops at is the output's name numbered 10
  std::string extension = ".sdf";
  std::size_t filler = 0;  // bytes a full disk holds before the run
};

void PrintTo(const WritingPane& c, std::ostream* out) { *out << c.name; }

class UnwrittenOutput : public ::testing::TestWithParam<WritingPane> {
 protected:
  UnwrittenOutput() { h.defaults().set("pathToobabel", kObabel); }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  Harness h;
};

// Names past the file system's 255 bytes: the split writes 9 of them before the 10th fails.
TEST_P(UnwrittenOutput, ANameTooLongIsSaidAndTheFilesWrittenKept) {
  const WritingPane& c = GetParam();
  std::string base = scratch(std::string(c.split ? 250 : 300, 'y'));
  std::string file = c.split ? base + "10.sdf" : base + c.extension;
  c.run(h, base + c.extension);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obabel could not write its output");
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("It could not write \"" + file + "\""));
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("Cannot write to " + file));
  for (int i = 1; c.split && i <= 9; ++i)
    EXPECT_EQ(obabelCount({base + std::to_string(i) + ".sdf", "-onul"}), 1) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Panes, UnwrittenOutput,
    ::testing::Values(
        WritingPane{"ConvertSingleRun", [](Harness& h, auto& out) { convert(h, out, false); }},
        WritingPane{"ConvertSplit", [](Harness& h, auto& out) { convert(h, out, true); }, true},
        WritingPane{"Confab", [](Harness& h, auto& out) { confab(h, out, false); }},
        WritingPane{"IndexSearch", [](Harness& h, auto& out) { search(h, out, "runFSsearch:"); }},
        WritingPane{"FileSearch", [](Harness& h, auto& out) { search(h, out, "checkObabel:"); }},
        WritingPane{"IndexBuild", [](Harness& h, auto& out) { search(h, out, "createFS:"); }, false,
                    ".fs"}),
    [](const auto& info) { return info.param.name; });

class FullDisk : public UnwrittenOutput {};

// A disk that fills during the run: obabel writes what fits, mid-molecule, and exits 0.
TEST_P(FullDisk, AnOutputThatFilledItsDiskIsSaidAndKept) {
  std::string folder = scratch("full"), output = folder + "/out.sdf";
  std::filesystem::create_directory(folder);
  if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  std::unique_ptr<const char, void (*)(const char*)> unmount(
      folder.c_str(), [](const char* dir) { ::umount2(dir, MNT_DETACH); });
  writeFile(folder + "/filler", std::string(GetParam().filler, 'f'));
  GetParam().run(h, output);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "The output may be cut short");
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("\"" + output + "\""));
  EXPECT_GT(std::filesystem::file_size(output), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FullDisk,
    ::testing::Values(WritingPane{"ConvertSingleRun",
                                  [](Harness& h, auto& out) { convert(h, out, false); }},
                      WritingPane{.name = "ConfabPipe",
                                  .run = [](Harness& h, auto& out) { confab(h, out, true); },
                                  .filler = 48 * 1024}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molbench::testing
