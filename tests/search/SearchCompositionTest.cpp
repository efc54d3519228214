// The search pane's commands: the exact texts it composes, the lines it prints, the notice it
// gives, and what bash makes of each command (every path and typed value arrives whole).
#include <gmock/gmock.h>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class SearchComposition : public SearchPaneTest {
 protected:
  // A file search of an SD file into SMILES, as Check runs it.
  void fileSearch(const std::string& input, const std::string& output, const std::string& mode,
                  const std::string& smarts) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", smarts);
    h.press(pane, "checkObabel:");
  }
};

TEST_F(SearchComposition, FileSearchWorkedExampleAndWhatBashMakesOfIt) {
  useObabel("/usr/local/bin/obabel");
  fileSearch("/data/set.sdf", "/data/hits", "matching", "c1ccccc1O");
  const std::string expected =
      "/usr/local/bin/obabel -isdf '/data/set.sdf'  -osmi  -O '/data/hits'.smi -s c1ccccc1O  ";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_THAT(h.diagnostics(), ElementsAre("sdf -- MDL MOL format", expected));
  EXPECT_EQ(text("obabelText"), "") << "the file search does not show its command";

  useStandIn();
  setText("similarityScore", "0.7 |x");
  fileSearch("/data/it's a set.sdf", "/data/my hits", "not_matching", "[#7;R](=O)C; echo $HOME");
  EXPECT_THAT(standInArguments(),
              ElementsAre("-isdf", "/data/it's a set.sdf", "-osmi", "-O", "/data/my hits.smi", "-v",
                          "[#7;R](=O)C; echo $HOME", "-at0.7 |x"));
  // An empty pattern is still the argument of its option.
  fileSearch("/data/set.sdf", "/data/hits.smi", "matching", "");
  EXPECT_THAT(standInArguments(), ElementsAre("-isdf", "/data/set.sdf", "-osmi", "-O",
                                              "/data/hits.smi", "-s", "", "-at0.7 |x"));
}

// Each run that writes a file refuses a folder, a path ending in "/" and its own input.
TEST_F(SearchComposition, OutputThatIsAFolderOrAnInputRunsNothingAndSaysWhy) {
  useStandIn();
  std::string input = temp() + "/set.sdf";
  writeFile(input, "");
  h.answerOpenPanel(input);
  h.press(pane, "inputFileSelect:");  // presets the output to the folder and "set.fs"
  h.press(pane, "checkObabel:");
  setText("outputFilepath", temp());
  h.press(pane, "runFSsearch:");
  setText("outputFilepath", text("fssearchPath"));
  writeFile(text("fssearchPath"), "");
  h.press(pane, "runFSsearch:");
  setText("fssearchPath", input);
  h.press(pane, "createFS:");
  EXPECT_EQ(h.alerts().size(), 4u);
  EXPECT_FALSE(fileExists(scratch("arguments"))) << "nothing ran";
  EXPECT_EQ(text("obabelText"), "");
}

TEST_F(SearchComposition, EmptyInputRunsNeitherSearchNorIndexBuild) {
  useStandIn();
  setText("outputFilepath", temp() + "/hits.sdf");
  h.press(pane, "checkObabel:");
  setText("fssearchPath", temp() + "/set.fs");
  h.press(pane, "createFS:");
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_FALSE(fileExists(scratch("arguments"))) << "nothing ran";
}

TEST_F(SearchComposition, IndexBuildReusesTheLastSearchesFlagAndIndexPathsPassWhole) {
  useObabel("/usr/local/bin/obabel");
  setText("inputFilepath", "/data/set.sdf");
  setText("fssearchPath", "/data/set.fs");
  h.press(pane, "createFS:");
  EXPECT_EQ(pane.obshellCommand, "/usr/local/bin/obabel  '/data/set.sdf' -ofs -O /data/set.fs");

  fileSearch("/data/set.sdf", "/data/hits", "matching", "c1ccccc1O");
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");  // no search has used it yet
  auto printed = h.diagnostics().size();
  h.press(pane, "createFS:");
  EXPECT_EQ(text("obabelText"), "/usr/local/bin/obabel -isdf '/data/set.sdf' -ofs -O /data/set.fs");

  setText("outputFilepath", "/data/hits.smi");
  setText("similarityScore", "0.7");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(text("obabelText"),
            "/usr/local/bin/obabel /data/set.fs -O /data/hits.smi  -at0.7  -s c1ccccc1O ");
  h.choose(pane, "smartsSearchoptions", "Choose");
  setText("similarityScore", "");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(text("obabelText"), "/usr/local/bin/obabel /data/set.fs -O /data/hits.smi  ");
  EXPECT_EQ(h.diagnostics().size(), printed) << "index builds and searches print nothing";

  // Index paths pass whole, and one without a dot is searched after a notice.
  useStandIn();
  auto told = h.alerts().size();  // one a run above: no obabel in /usr/local/bin
  setText("inputFilepath", "/data/o'neil set.sdf");
  setText("fssearchPath", "/data/o'neil set.fs");
  h.press(pane, "createFS:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("-isdf", "/data/o'neil set.sdf", "-ofs", "-O", "/data/o'neil set.fs"));

  setText("outputFilepath", "/data/hits (new).smi");
  h.choose(pane, "smartsSearchoptions", "not_matching");
  setText("smartsSearch", "c1ccccc1[N+](=O)[O-]");
  setText("similarityScore", "0.5");
  h.press(pane, "runFSsearch:");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/o'neil set.fs", "-O", "/data/hits (new).smi",
                                              "-at0.5", "-v", "c1ccccc1[N+](=O)[O-]"));

  setText("fssearchPath", "/data/o'neil set");
  h.press(pane, "runFSsearch:");
  ASSERT_EQ(h.alerts().size(), told + 1);
  EXPECT_EQ(h.alerts().back().messageText, "check file type");
  EXPECT_EQ(h.alerts().back().informativeText, "Need to choose a .fs file");
  EXPECT_THAT(h.alerts().back().buttons, ElementsAre("OK"));
  EXPECT_EQ(standInArguments().at(0), "/data/o'neil set") << "the search still runs";
}

}  // namespace
}  // namespace molbench::testing
