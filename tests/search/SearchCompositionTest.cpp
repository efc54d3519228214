// What the search pane composes from its controls: the exact command texts, the pieces it
// keeps between actions and the lines it writes to standard output.
#include <gmock/gmock.h>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SearchComposition : public SearchPaneTest {
 protected:
  void fileSearchExample() {
    useObabel("/usr/local/bin/obabel");
    setText("inputFilepath", "/data/set.sdf");
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
    setText("outputFilepath", "/data/hits");
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
    h.choose(pane, "smartsSearchoptions", "matching");
    setText("smartsSearch", "c1ccccc1O");
    h.press(pane, "checkObabel:");
  }
  void searchFile(const std::string& output) {
    setText("outputFilepath", output);
    h.press(pane, "checkObabel:");
  }
};

TEST_F(SearchComposition, FileSearchGivesTheWorkedExampleAndPrintsTitleThenCommand) {
  fileSearchExample();
  const std::string expected =
      "/usr/local/bin/obabel -isdf '/data/set.sdf'  -osmi  -O '/data/hits'.smi -s c1ccccc1O  ";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_THAT(h.diagnostics(), ElementsAre("sdf -- MDL MOL format", expected));
  EXPECT_EQ(text("obabelText"), "") << "the file search does not show its command";
}

TEST_F(SearchComposition, FileSearchModesSimilarityAndOutputExtension) {
  useObabel("/ob");
  setText("inputFilepath", "/in.sdf");
  setText("smartsSearch", "CCO");
  searchFile("/tmp/hits");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/tmp/hits'. ")
      << "Choose adds no filter; before any format is named only the dot is added";
  EXPECT_THAT(h.diagnostics(), ElementsAre(pane.obshellCommand)) << "autodetect prints no title";

  h.choose(pane, "outputFiletype", "mol2 -- Sybyl Mol2 format");
  h.press(pane, "checkObabel:");
  h.choose(pane, "outputFiletype", "autodetect from extension");
  h.choose(pane, "smartsSearchoptions", "not_matching");
  setText("similarityScore", "0.8");
  searchFile("/tmp/hits");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/tmp/hits'.mol2 -v CCO   -at0.8");

  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", "");
  setText("similarityScore", "");
  searchFile("/tmp/data.old/hits");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/tmp/data.old/hits' -s   ")
      << "a dot in a folder name counts";
}

TEST_F(SearchComposition, OptionTokensComeFromThisPanesOptionPopups) {
  useObabel("/ob");
  setText("inputFilepath", "/in.mol2");
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  h.choose(pane, "outputFileoptions", "-xc Canonical form");
  searchFile("/out.smi");
  EXPECT_EQ(pane.obshellCommand, "/ob -imol2 '/in.mol2' -ac -osmi -xc -O '/out.smi' ")
      << "mol2's one read option is always selected";

  h.choose(pane, "inputFiletype", "abinit -- ABINIT Output Format");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  searchFile("/out.smi");
  EXPECT_EQ(pane.obshellCommand, "/ob -iabinit '/in.mol2'  -osmi  -O '/out.smi' ")
      << "an emptied options popup gives no token, and a new pick resets the option";
}

TEST_F(SearchComposition, IndexBuildReusesTheFlagOfTheLastFileSearch) {
  useObabel("/usr/local/bin/obabel");
  setText("inputFilepath", "/data/set.sdf");
  setText("fssearchPath", "/data/set.fs");
  h.press(pane, "createFS:");
  EXPECT_EQ(pane.obshellCommand, "/usr/local/bin/obabel  '/data/set.sdf' -ofs -O /data/set.fs");

  fileSearchExample();
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  auto printedBefore = h.diagnostics().size();
  h.press(pane, "createFS:");
  const std::string expected = "/usr/local/bin/obabel -isdf '/data/set.sdf' -ofs -O /data/set.fs";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_EQ(text("obabelText"), expected);
  EXPECT_EQ(h.diagnostics().size(), printedBefore) << "index builds print nothing";
}

TEST_F(SearchComposition, IndexSearchGivesTheWorkedExamples) {
  useObabel("/usr/local/bin/obabel");
  setText("fssearchPath", "/data/set.fs");
  setText("outputFilepath", "/data/hits.smi");
  setText("similarityScore", "0.7");
  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", "c1ccccc1O");
  h.press(pane, "runFSsearch:");
  const std::string expected =
      "/usr/local/bin/obabel /data/set.fs -O /data/hits.smi  -at0.7  -s c1ccccc1O ";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_EQ(text("obabelText"), expected);

  h.choose(pane, "smartsSearchoptions", "Choose");
  setText("similarityScore", "");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(text("obabelText"), "/usr/local/bin/obabel /data/set.fs -O /data/hits.smi  ");
  EXPECT_THAT(h.diagnostics(), IsEmpty());
  EXPECT_THAT(h.alerts(), IsEmpty());
}

TEST_F(SearchComposition, IndexPathWithoutDotIsQueriedAfterTheNotice) {
  useStandIn();
  setText("fssearchPath", "/data/set");
  setText("outputFilepath", "/data/hits.smi");
  h.press(pane, "runFSsearch:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "check file type");
  EXPECT_EQ(h.alerts()[0].informativeText, "Need to choose a .fs file");
  EXPECT_THAT(h.alerts()[0].buttons, ElementsAre("OK"));
  EXPECT_THAT(standInArguments(), ElementsAre("/data/set", "-O", "/data/hits.smi"));

  setText("fssearchPath", "/data/v1.2/set");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(h.alerts().size(), 1u) << "a dot anywhere in the path is enough";
}

}  // namespace
}  // namespace molbench::testing
