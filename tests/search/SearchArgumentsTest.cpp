// What bash makes of the search pane's commands: every path and typed value arrives as exactly
// one argument, whatever characters it holds.
#include <gmock/gmock.h>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class SearchArguments : public SearchPaneTest {
 protected:
  SearchArguments() { useStandIn(); }
};

TEST_F(SearchArguments, FileSearchPassesAwkwardPathsAndPatternsWhole) {
  setText("inputFilepath", "/data/it's a set.sdf");
  setText("outputFilepath", "/data/my hits");
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", "[#7;R](=O)C; echo $HOME");
  setText("similarityScore", "0.7 |x");
  h.press(pane, "checkObabel:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("-isdf", "/data/it's a set.sdf", "-osmi", "-O", "/data/my hits.smi", "-s",
                          "[#7;R](=O)C; echo $HOME", "-at0.7 |x"));
}

TEST_F(SearchArguments, IndexBuildAndSearchPassAwkwardPathsWhole) {
  setText("inputFilepath", "/data/o'neil set.sdf");
  setText("fssearchPath", "/data/o'neil set.fs");
  h.press(pane, "createFS:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("/data/o'neil set.sdf", "-ofs", "-O", "/data/o'neil set.fs"));

  setText("outputFilepath", "/data/hits (new).smi");
  h.choose(pane, "smartsSearchoptions", "not_matching");
  setText("smartsSearch", "c1ccccc1[N+](=O)[O-]");
  setText("similarityScore", "0.5");
  h.press(pane, "runFSsearch:");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/o'neil set.fs", "-O", "/data/hits (new).smi",
                                              "-at0.5", "-v", "c1ccccc1[N+](=O)[O-]"));
}

}  // namespace
}  // namespace molbench::testing
