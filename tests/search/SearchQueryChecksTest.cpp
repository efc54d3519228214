// The checks the search pane makes of its query before a run, with the real obabel: obabel
// empties the output first, then ignores or cannot read what it was given, and exits 0.
#include <gmock/gmock.h>

#include <filesystem>
#include <memory>

#include "SearchTestSupport.h"
#include "common/FormatTables.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class SearchQueryChecks : public SearchPaneTest {
 protected:
  SearchQueryChecks() {
    obabelCount({molecules("small.sdf"), "-ofs", "-O", folder + "set.fs"});
    writeFile(kept, "CCO\tkept\n");
  }
  std::string folder = temp() + "/", kept = folder + "kept.smi";
};

// obabel ignores "-at" on a molecule file and writes what the pattern matches, with no word.
TEST_F(SearchQueryChecks, AFileSearchWithASimilarityNeedsTheIndex) {
  const std::tuple<std::string, std::string, std::string> refused[] = {
      {kAutodetectRow, "matching", "0.5"},
      {"sdf -- MDL MOL format", "not_matching", "5"},
      {kAutodetectRow, "Choose", "0.2,0.9"}};
  setText("inputFilepath", folder + "small.sdf");
  setText("outputFilepath", kept);
  setText("smartsSearch", "c1ccccc1");
  for (const auto& [format, mode, similarity] : refused) {
    h.choose(pane, "inputFiletype", format);
    h.choose(pane, "smartsSearchoptions", mode);
    setText("similarityScore", similarity);
    h.press(pane, "checkObabel:");
    ASSERT_FALSE(h.alerts().empty()) << mode << " -at" << similarity;
    EXPECT_EQ(h.alerts().back().messageText, "A similarity needs the index");
    EXPECT_EQ(readFile(kept), "CCO\tkept\n") << mode << " -at" << similarity;
  }
  EXPECT_EQ(h.alerts().size(), std::size(refused));
}

// The index query check makes its one-molecule index in TMPDIR. Missing, or a file, it cannot
// run, and a query the index cannot read would empty the output with no word: the run is refused.
TEST_F(SearchQueryChecks, AQueryCheckThatCannotRunRefusesItsRun) {
  const std::string scratch = temp(), moved = scratch + ".moved";
  std::filesystem::rename(scratch, moved);
  std::shared_ptr<void> putBack(nullptr, [&](void*) {
    std::error_code ignored;
    std::filesystem::remove(scratch, ignored);
    std::filesystem::rename(moved, scratch, ignored);
  });
  setText("fssearchPath", moved + "/set.fs");
  setText("inputFilepath", moved + "/set.fs");
  setText("outputFilepath", moved + "/kept.smi");
  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", "[CX3](=O)[OX2H1]");  // a SMARTS, and no SMILES the index reads
  size_t refusals = 0;
  for (bool file : {false, true}) {
    if (file) writeFile(scratch, "x");
    for (const auto& action : {"runFSsearch:", "checkObabel:"}) {
      h.press(pane, action);
      ASSERT_EQ(h.alerts().size(), ++refusals) << file << " " << action;
      EXPECT_EQ(h.alerts().back().messageText, "The query could not be checked") << action;
      EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("\"" + scratch + "\""));
      EXPECT_EQ(readFile(moved + "/kept.smi"), "CCO\tkept\n") << file << " " << action;
    }
  }
}

}  // namespace
}  // namespace molbench::testing
