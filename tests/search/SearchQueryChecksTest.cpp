// The checks the search pane makes of its query before a run, with the real obabel: obabel
// empties the output first, then ignores or cannot read what it was given, and exits 0.
#include <gmock/gmock.h>
#include <sys/mount.h>

#include <filesystem>

#include "SearchTestSupport.h"
#include "common/FormatTables.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class SearchQueryChecks : public SearchPaneTest {
 protected:
  SearchQueryChecks() {
    runForOutput(std::string(kObabel) + " " + molecules("small.sdf") + " -osmi -O " + lib +
                 " 2>/dev/null");
    obabelCount({lib, "-ofs", "-O", folder + "lib.fs"});
    obabelCount({folder + "small.sdf", "-ofs", "-O", index});
  }

  // The file search ("checkObabel:") of the input into the kept output.
  void fileSearch(const std::string& input, const std::string& format, const std::string& mode,
                  const std::string& similarity) {
    setText("inputFilepath", input);
    setText("outputFilepath", kept);
    h.choose(pane, "inputFiletype", format);
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", "c1ccccc1");
    setText("similarityScore", similarity);
    h.press(pane, "checkObabel:");
  }

  std::string folder = temp() + "/", lib = folder + "lib.smi", index = folder + "set.fs";
  std::string kept = folder + "kept.smi";
};

// obabel ignores "-at" on a molecule file and writes what the pattern matches instead, with no
// word. Through an index the similarity counts.
TEST_F(SearchQueryChecks, AFileSearchWithASimilarityNeedsTheIndex) {
  const std::string fs = "fs -- Fastsearch format", sdf = folder + "small.sdf";
  const std::tuple<std::string, std::string, std::string, std::string> refused[] = {
      {sdf, kAutodetectRow, "matching", "0.5"},
      {sdf, "sdf -- MDL MOL format", "matching", "5"},
      {lib, kAutodetectRow, "not_matching", "0.2,0.9"},
      {sdf, kAutodetectRow, "Choose", "0.5"}};
  for (const auto& [input, format, mode, similarity] : refused) {
    writeFile(kept, "kept\n");
    fileSearch(input, format, mode, similarity);
    ASSERT_FALSE(h.alerts().empty()) << input << " " << mode << " -at" << similarity;
    EXPECT_EQ(h.alerts().back().messageText, "A similarity needs the index");
    EXPECT_EQ(readFile(kept), "kept\n") << input << " " << mode << " -at" << similarity;
  }
  // The index as the input, by its name or with "fs" chosen: obabel's similarity hits.
  const int similar = obabelCount({index, "-onul", "-s", "c1ccccc1", "-at0.5"});
  EXPECT_LT(similar, obabelCount({index, "-onul", "-s", "c1ccccc1"}));
  for (const auto& [input, format] : {std::pair{index, kAutodetectRow}, {lib, fs.c_str()}}) {
    fileSearch(input, format, "matching", "0.5");
    EXPECT_EQ(obabelCount({kept, "-onul"}), similar) << input;
  }
  EXPECT_EQ(h.alerts().size(), std::size(refused));
}

// A scratch folder put back where the harness keeps it, whatever a test left there.
struct ScratchSwap {
  explicit ScratchSwap(std::string scratch) : scratch(std::move(scratch)) {
    std::filesystem::rename(this->scratch, moved);
  }
  ~ScratchSwap() {
    ::umount(scratch.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    std::filesystem::rename(moved, scratch, ignored);
  }
  std::string scratch, moved = scratch + ".moved";
};

// The index query check needs a scratch folder for its one-molecule index. Without one (TMPDIR
// missing, a file, on a read-only file system) the query the index cannot read would empty the
// kept output with no word: the run is refused, said.
TEST_F(SearchQueryChecks, AQueryCheckThatCannotRunRefusesItsRun) {
  const std::string acid = "[CX3](=O)[OX2H1]";  // a SMARTS, and no SMILES the index reads
  ScratchSwap swap(temp());
  const std::string moved = swap.moved + "/";
  writeFile(moved + "kept.smi", "CCO\tkept\n");
  // How the scratch folder is broken, with a mount where the machine allows one.
  const std::tuple<std::string, std::string> broken[] = {
      {"missing", ""},
      {"a file", "printf x > " + temp()},
      {"read-only", "mkdir " + temp() + " && mount -t tmpfs -o ro,size=64k tmpfs " + temp()}};
  setText("fssearchPath", moved + "set.fs");
  setText("outputFilepath", moved + "kept.smi");
  setText("inputFilepath", moved + "set.fs");
  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", acid);
  size_t refusals = 0;
  for (const auto& [how, make] : broken) {
    if (!make.empty() && runForOutput(make + " 2>/dev/null && echo made") != "made\n") {
      std::filesystem::remove_all(temp());
      continue;  // no mount here: nothing to break that way
    }
    for (const auto& action : {"runFSsearch:", "checkObabel:"}) {
      h.press(pane, action);
      ASSERT_EQ(h.alerts().size(), ++refusals) << how << " " << action;
      EXPECT_EQ(h.alerts().back().messageText, "The query could not be checked") << how;
      EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("\"" + temp() + "\"")) << how;
      EXPECT_EQ(readFile(moved + "kept.smi"), "CCO\tkept\n") << how << " " << action;
    }
    ::umount(temp().c_str());
    std::filesystem::remove_all(temp());
  }
  EXPECT_GE(refusals, 4u);
}

}  // namespace
}  // namespace molbench::testing
