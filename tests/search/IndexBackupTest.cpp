// An index rebuild with the real obabel keeps the old index as a copy and lets obabel rewrite
// the same file, and a copy that a stopped rebuild left is named when that index is searched.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"
#include "common/FastSearchIndex.h"
#include "common/ShellQuote.h"
#include "search/IndexBackup.h"

namespace molbench::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;
using IndexRebuild = SearchPaneTest;

// Runs when the test ends, whatever happened: a locked folder or a mount would outlive it.
struct AtEnd {
  std::string command;
  ~AtEnd() { runForOutput(command + " 2>/dev/null"); }
};

// A group-writable index with a second hard link, in a plain folder, a locked one (chattr +i
// stops root too) and a full one (a 64 KiB tmpfs), whence the copy goes to the temporary folder:
// a failed build puts the old bytes back into the same file, a sound one leaves the new index
// there, and no copy stays behind. With no room for a copy anywhere, the build is refused.
TEST_F(IndexRebuild, TheIndexFileKeepsItsModeAndLinksAndTheOldBytesComeBackIntoIt) {
  writeFile(scratch("none.sdf"), "not a molecule\n");
  std::string at = "cd " + quotedPath(temp()) + " && ";
  AtEnd undo{at + "chattr -i locked; umount full"};
  for (const std::string folder : {"plain", "locked", "full"}) {
    std::string index = scratch(folder + "/x.fs"), link = scratch(folder + "/y.fs");
    fs::create_directories(scratch(folder));
    ASSERT_TRUE(folder != "full" ||
                runForOutput(at + "mount -t tmpfs -o size=64k tmpfs full && echo ok") == "ok\n");
    obabelCount({molecules("lib.sdf"), "-ofs", "-O", index});
    fs::permissions(index, fs::perms(0664));
    fs::create_hard_link(index, link);
    std::string old = readFile(index);
    ASSERT_TRUE(folder != "locked" || runForOutput(at + "chattr +i locked && echo ok") == "ok\n");
    if (folder == "full") runForOutput(at + "cat /dev/zero >full/filler 2>&-");
    ASSERT_TRUE(folder != "full" || fs::space(scratch("full")).available < 4096);
    setText("fssearchPath", index);
    for (const std::string& input : {scratch("none.sdf"), testDataPath("small.smi")}) {
      SCOPED_TRACE(folder + " " + input);
      auto said = h.alerts().size();
      setText("inputFilepath", input);
      h.press(pane, "createFS:");
      // A build on a full disk may be cut short: the old index comes back there too.
      bool sound = input != scratch("none.sdf") && folder != "full";
      ASSERT_EQ(h.alerts().size(), said + (sound ? 0 : 1));
      // One true sentence about the old index: it is back, not "kept as it is".
      if (folder == "full") {
        EXPECT_THAT(h.alerts().back().informativeText,
                    AllOf(HasSubstr("back in place"), Not(HasSubstr("kept as it is"))));
      }
      EXPECT_EQ(readFile(index) == old, !sound);
      EXPECT_EQ(fastSearchIndexEntries(index), 10u);
      EXPECT_TRUE(fs::equivalent(index, link));
      EXPECT_EQ(fs::status(index).permissions(), fs::perms(0664));
      EXPECT_EQ(runForOutput("ls -d " + temp() + "/kept-* " + temp() + "/*/kept-* 2>&-"), "");
    }
  }
  auto refused = IndexBackup(scratch("locked/x.fs"), scratch("missing")).keepCopy();
  EXPECT_THAT(refused.value_or(""), HasSubstr("\"" + scratch("missing") + "\": No such file"));
}

// obabel fills a disk with part of a first index and exits 0: a full disk says that the build
// was cut short, and the part goes, as there was no index before. An index there before comes
// back (above).
TEST_F(IndexRebuild, AFirstBuildCutShortByAFullDiskLeavesNoIndex) {
  std::string at = "cd " + quotedPath(temp()) + " && ";
  AtEnd undo{at + "umount disk"};
  if (runForOutput(at + "mkdir disk && mount -t tmpfs -o size=256k tmpfs disk && echo ok") !=
      "ok\n")
    GTEST_SKIP() << "no tmpfs can be mounted here";
  setText("inputFilepath", "/usr/share/RDKit/Data/NCI/first_5K.smi");  // a 680 KB index
  setText("fssearchPath", scratch("disk/nci.fs"));
  h.press(pane, "createFS:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("removed that file"));
  EXPECT_FALSE(fileExists(scratch("disk/nci.fs")));
  EXPECT_EQ(runForOutput("ls -A " + scratch("disk") + " " + temp() + " | grep kept-"), "");
}

// A rebuild stopped while obabel ran leaves the index emptied and its copy beside it, as did an
// older Molbench under a name without the index's number: a search of the emptied index names
// that copy, and no other index's. The emptied index is rebuilt.
TEST_F(IndexRebuild, ASearchOfAnIndexEmptiedByAStoppedRebuildNamesTheKeptCopy) {
  std::string stopped = scratch("a/x.fs"), older = scratch("b/x.fs"), other = scratch("a/z.fs");
  fs::create_directories(scratch("a"));
  fs::create_directories(scratch("b"));
  for (const auto& index : {stopped, older, other})
    obabelCount({molecules("lib.sdf"), "-ofs", "-O", index});
  ASSERT_FALSE(IndexBackup(stopped, temp()).keepCopy());  // gone without a word, as if killed
  fs::copy_file(older, scratch("b/kept-index-Xy12Zq.fs"));
  for (const auto& index : {stopped, older, other})
    obabelCount({scratch("missing.sdf"), "-ofs", "-O", index});  // obabel empties each
  setText("outputFilepath", scratch("hits.sdf"));
  setText("smartsSearch", "CC");
  for (const auto& [index, copy] : {std::pair{stopped, scratch("a/kept-index-")},
                                    {older, scratch("b/kept-index-Xy12Zq.fs")},
                                    {other, std::string("kept-index-")}}) {
    setText("fssearchPath", index);
    h.press(pane, "runFSsearch:");
    EXPECT_EQ(h.alerts().back().informativeText.find(copy) != std::string::npos, index != other)
        << h.alerts().back().informativeText;
  }
  setText("inputFilepath", molecules("lib.sdf"));
  setText("fssearchPath", stopped);
  h.press(pane, "createFS:");
  EXPECT_TRUE(isFastSearchIndex(stopped));
}

}  // namespace
}  // namespace molbench::testing
