// An index rebuild with the real obabel keeps the old index as a copy and lets obabel rewrite
// the same file: the file keeps its mode and hard links, in a folder that takes no new file
// too, and a copy that a stopped rebuild left is named when the emptied index is searched.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "SearchTestSupport.h"
#include "common/FastSearchIndex.h"
#include "common/ShellQuote.h"
#include "search/IndexBackup.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using IndexRebuild = SearchPaneTest;

std::vector<std::string> keptCopiesIn(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with("kept-index-")) found.push_back(entry.path());
  return found;
}

// Runs a shell command; its undoing runs when the test ends, whatever happened.
struct ShellStep {
  std::string undo;
  bool done;
  ShellStep(const std::string& command, std::string undoing)
      : undo(std::move(undoing)), done(runForOutput(command + " && echo ok") == "ok\n") {}
  ~ShellStep() { runForOutput(undo + " 2>/dev/null"); }
};

// Each folder holds a group-writable index with a second hard link. The copy cannot go into a
// folder that takes no new entry (chattr +i: root cannot add to it either, while the file stays
// writable) or into a full one (a 64 KiB tmpfs): it goes into the temporary folder then. An
// input that gives no index puts the old bytes back into the same file; a sound one leaves the
// new index there, seen through both names; no copy stays behind. An index file obabel cannot
// write to (chattr +i) is refused; with no room for a copy anywhere, so is the build.
TEST_F(IndexRebuild, TheIndexFileKeepsItsModeAndLinksAndTheOldBytesComeBackIntoIt) {
  writeFile(scratch("none.sdf"), "not a molecule\n");
  std::string at = "cd " + quotedPath(temp()) + " && ";
  std::filesystem::create_directories(scratch("full"));
  ShellStep full(at + "mount -t tmpfs -o size=64k tmpfs full", at + "umount full");
  const std::string folders[] = {"plain", "locked", "full"};
  std::map<std::string, std::string> old;
  for (const auto& folder : folders) {
    std::string index = scratch(folder + "/x.fs");
    std::filesystem::create_directories(scratch(folder));
    obabelCount({molecules("lib.sdf"), "-ofs", "-O", index});
    ::chmod(index.c_str(), 0664);
    std::filesystem::create_hard_link(index, scratch(folder + "/y.fs"));
    old[folder] = readFile(index);
  }
  ShellStep locked(at + "cat /dev/zero >full/filler 2>/dev/null; chattr +i locked",
                   at + "chattr -i locked");
  ASSERT_TRUE(full.done && std::filesystem::space(scratch("full")).available < 4096);
  ASSERT_FALSE(std::ofstream(scratch("locked/new"))) << "chattr +i holds";
  for (const auto& folder : folders) {
    std::string index = scratch(folder + "/x.fs");
    struct stat before {
    }, after{};
    ::stat(index.c_str(), &before);
    setText("fssearchPath", index);
    for (const std::string& input : {scratch("none.sdf"), testDataPath("small.smi")}) {
      auto said = h.alerts().size();
      setText("inputFilepath", input);
      h.press(pane, "createFS:");
      // A build on a full disk may be cut short: the old index comes back there too.
      bool sound = input != scratch("none.sdf") && folder != "full";
      ASSERT_EQ(h.alerts().size(), said + (sound ? 0 : 1)) << folder << " " << input;
      if (!sound) {
        EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("back in place"));
      }
      EXPECT_EQ(readFile(index) == old[folder], !sound) << folder << " " << input;
      EXPECT_EQ(fastSearchIndexEntries(index), 10u) << folder << " " << input;
      EXPECT_TRUE(readFile(scratch(folder + "/y.fs")) == readFile(index)) << folder << input;
      ::stat(index.c_str(), &after);
      EXPECT_EQ(after.st_ino, before.st_ino) << folder << " " << input;
      EXPECT_EQ(after.st_mode & 0777, 0664u) << folder << " " << input;
      EXPECT_THAT(keptCopiesIn(scratch(folder)), IsEmpty()) << folder;
      EXPECT_THAT(keptCopiesIn(temp()), IsEmpty()) << folder;
    }
  }
  ShellStep unwritable("chattr +i " + quotedPath(scratch("plain/x.fs")),
                       "chattr -i " + quotedPath(scratch("plain/x.fs")));
  ASSERT_TRUE(unwritable.done);
  setText("fssearchPath", scratch("plain/x.fs"));
  h.press(pane, "createFS:");
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("obabel cannot write to the index"));
  auto refused = IndexBackup(scratch("locked/x.fs"), scratch("missing")).keepCopy();
  EXPECT_THAT(refused.value_or(""), HasSubstr("\"" + scratch("missing") + "\": No such file"));
}

// A rebuild stopped while obabel ran (its copy kept, the index emptied) leaves the copy beside
// the index, as did an older Molbench under a name without the index's number; a search of
// the emptied index names it. The copy of one index is not named for another beside it. The
// emptied index is rebuilt.
TEST_F(IndexRebuild, ASearchOfAnIndexEmptiedByAStoppedRebuildNamesTheKeptCopy) {
  std::string stopped = scratch("a/x.fs"), older = scratch("b/x.fs"), other = scratch("a/z.fs");
  for (const auto& index : {stopped, older, other}) {
    std::filesystem::create_directories(std::filesystem::path(index).parent_path());
    obabelCount({molecules("lib.sdf"), "-ofs", "-O", index});
  }
  ASSERT_FALSE(IndexBackup(stopped, temp()).keepCopy());  // gone without a word, as if killed
  std::filesystem::copy_file(older, scratch("b/kept-index-Xy12Zq.fs"));
  for (const auto& index : {stopped, older, other})
    obabelCount({scratch("missing.sdf"), "-ofs", "-O", index});  // obabel empties each
  ASSERT_EQ(keptCopiesIn(scratch("a")).size(), 1u);
  setText("outputFilepath", scratch("hits.sdf"));
  setText("smartsSearch", "CC");
  for (const auto& [index, copy] : {std::pair{stopped, keptCopiesIn(scratch("a")).front()},
                                    {older, scratch("b/kept-index-Xy12Zq.fs")},
                                    {other, std::string("kept")}}) {
    setText("fssearchPath", index);
    h.press(pane, "runFSsearch:");
    const auto& said = h.alerts().back().informativeText;
    EXPECT_THAT(said, HasSubstr("build one")) << index;
    EXPECT_EQ(said.find(copy) != std::string::npos, index != other) << said;
  }
  // The emptied index holds nothing to lose: it is rebuilt as bare obabel would.
  setText("inputFilepath", molecules("lib.sdf"));
  setText("fssearchPath", stopped);
  h.press(pane, "createFS:");
  EXPECT_TRUE(isFastSearchIndex(stopped));
}

}  // namespace
}  // namespace molbench::testing
