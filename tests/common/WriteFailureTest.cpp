// obabel that cannot write its output, or meets a full disk, still exits 0: every pane that
// writes a file says so, naming the file, and keeps what was written. Run with the real obabel.
#include <gmock/gmock.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "TestSupport.h"
#include "common/DiskRoom.h"
#include "common/ShellQuote.h"
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

// Run writes an SD record to standard output, its title as its first line; only obabel's own
// line on standard error says a write failed.
TEST_F(UnwrittenOutput, ATitleRunWritesIsNoWriteFailure) {
  auto& pane = h.make<Convertcontroller>("Convertcontroller");
  std::string titled = std::string(kObabel) + " '-:CCO Cannot write to x.sdf' -osdf";
  h.field(pane, "obabelText").setText(titled);
  h.press(pane, "runObabelcommand:");
  EXPECT_TRUE(h.alerts().empty()) << h.alerts().front().informativeText;
  h.field(pane, "obabelText").setText(titled + " -O " + scratch("none/x.sdf"));
  h.press(pane, "runObabelcommand:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("Cannot write to " + scratch("none/x.sdf")));
}

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

// Runs when the test ends, whatever happened: a mount would outlive it.
struct AtEnd {
  std::string command;
  ~AtEnd() { runForOutput(command + " 2>/dev/null"); }
};

class RoomLeft : public UnwrittenOutput {
 protected:
  // Converts `input` into `output` with the real obabel; the alert, if any.
  std::string convert(const std::string& input, const std::string& output) {
    auto& pane = h.make<Convertcontroller>("Convertcontroller");
    h.field(pane, "inputFilepath").setText(input);
    h.field(pane, "outputFilepath").setText(output);
    h.press(pane, "convertFile:");
    return h.alerts().empty() ? "" : h.alerts().back().messageText;
  }
  std::string at() { return "cd " + quotedPath(h.temporaryDirectory()) + " && "; }
};

// A write that met the end of a tmpfs leaves no block free; one that fitted, with 40 KiB left
// of 512 KiB, is whole and said by nothing.
TEST_F(RoomLeft, AWholeOutputOnANearlyFullTmpfsIsNotSaid) {
  AtEnd undo{at() + "umount disk"};
  if (runForOutput(at() + "mkdir disk && mount -t tmpfs -o size=512k tmpfs disk && echo ok") !=
      "ok\n")
    GTEST_SKIP() << "no tmpfs can be mounted here";
  writeFile(scratch("disk/filler"), std::string(472 * 1024, 'f'));
  EXPECT_EQ(convert(testDataPath("small.smi"), scratch("disk/out.sdf")), "");
  EXPECT_EQ(obabelCount({scratch("disk/out.sdf"), "-onul"}), 10);
}

// ext4 keeps 5 % for root and a last reserve from root too (its reserved clusters). Once an
// ordinary user's write has met the end (nothing available to users), root still writes whole
// files, said by nothing, until its own write meets the end, which is said.
TEST_F(RoomLeft, RootWritesIntoTheBlocksExt4KeepsForRootAndIsToldOnlyWhenThoseRunOut) {
  AtEnd undo{at() + "umount disk"};
  if (::geteuid() != 0 ||
      runForOutput(at() + "truncate -s 8M ext4 && mkfs.ext4 -q -m 5 ext4 && mkdir disk && "
                          "mount -o loop ext4 disk && chmod 777 disk && echo ok") != "ok\n")
    GTEST_SKIP() << "no ext4 image can be mounted here";
  std::string disk = scratch("disk");
  // From within the disk: the user may not pass through the private temporary folder.
  runForOutput(at() + "cd disk && setpriv --reuid=nobody --regid=nogroup --clear-groups " +
               "bash -c 'head -c 20M /dev/zero > users' 2>/dev/null");
  struct statvfs full {};
  ASSERT_EQ(::statvfs(disk.c_str(), &full), 0);
  auto kept = keptFromRoot(disk);
  ASSERT_TRUE(kept);
  EXPECT_GT(*kept, 0u);
  EXPECT_LT(roomLeft(full, false, kept), 4096u) << "as a user's failed write leaves it";
  EXPECT_GT(roomLeft(full, true, kept), 300u * 1024);

  EXPECT_EQ(convert(testDataPath("cdk2-12.sdf"), disk + "/whole.mol2"), "");
  EXPECT_EQ(obabelCount({disk + "/whole.mol2", "-onul"}), 12);
  std::string big = readFile(testDataPath("cdk2.sdf"));
  writeFile(scratch("big.sdf"), big + big + big);
  EXPECT_EQ(convert(scratch("big.sdf"), disk + "/cut.sdf"), "The output may be cut short");
  EXPECT_GT(std::filesystem::file_size(disk + "/cut.sdf"), 0u);
}

// On an ext4 of 1 KiB blocks a write that met the end may leave less than a page (head, as
// root, leaves 1 KiB there), so a run after which less than a page is left may be cut short,
// said; with a whole page left the write did not meet the end. The disk is filled for each row
// to leave that much room after obabel's output.
TEST_F(RoomLeft, LessThanAPageLeftAfterTheRunIsSaid) {
  AtEnd undo{at() + "umount disk"};
  if (::geteuid() != 0 ||
      runForOutput(at() + "truncate -s 8M ext4 && mkfs.ext4 -q -b 1024 -m 0 ext4 && mkdir disk "
                          "&& mount -o loop ext4 disk && echo ok") != "ok\n")
    GTEST_SKIP() << "no ext4 image can be mounted here";
  std::string disk = scratch("disk");
  auto room = [&] {
    struct statvfs now {};
    EXPECT_EQ(::statvfs(disk.c_str(), &now), 0);
    return roomLeft(now, true, keptFromRoot(disk));
  };
  EXPECT_EQ(convert(testDataPath("small.smi"), scratch("whole.sdf")), "");
  unsigned long long outputBlocks =
      (std::filesystem::file_size(scratch("whole.sdf")) + 1023) / 1024;
  unsigned long long page = static_cast<unsigned long long>(::sysconf(_SC_PAGESIZE));
  size_t said = 0;
  for (unsigned long long left : {1024ull, page - 1024, page}) {
    std::filesystem::remove(disk + "/filler");
    std::filesystem::remove(disk + "/out.sdf");
    // The filler's extents take a block of their own at times, and ext4 may allocate it only
    // when the filler is written back: it is synced and trimmed until it leaves the room.
    unsigned long long target = outputBlocks * 1024 + left;
    writeFile(disk + "/filler", std::string(room() - target, 'f'));
    for (int trim = 0; trim < 4 && (::sync(), room() != target); ++trim)
      std::filesystem::resize_file(disk + "/filler",
                                   std::filesystem::file_size(disk + "/filler") + room() - target);
    ASSERT_EQ(room(), target) << "the disk as staged";
    convert(testDataPath("small.smi"), disk + "/out.sdf");
    ASSERT_EQ(room(), left) << "the output as measured";
    if (left < page) ++said;
    ASSERT_EQ(h.alerts().size(), said) << left << " bytes left";
    EXPECT_EQ(h.alerts().back().messageText, "The output may be cut short");
  }
}

}  // namespace
}  // namespace molbench::testing
