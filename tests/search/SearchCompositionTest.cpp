// What the search pane composes from its controls: the exact command texts, the pieces it
// keeps between actions and the lines it writes to standard output.
#include <gmock/gmock.h>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kExampleObabel = "/usr/local/bin/obabel";

class SearchComposition : public SearchPaneTest {
 protected:
  void fileSearchExample() {
    useObabel(kExampleObabel);
    setText("inputFilepath", "/data/set.sdf");
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
    setText("outputFilepath", "/data/hits");
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
    h.choose(pane, "smartsSearchoptions", "matching");
    setText("smartsSearch", "c1ccccc1O");
    h.press(pane, "checkObabel:");
  }
};

TEST_F(SearchComposition, StartsEmptyWithFilledFormatAndModePopups) {
  for (const std::string* member :
       {&pane.iFileType, &pane.iFileTypeOption, &pane.oFileType, &pane.ofirstWord,
        &pane.oFileTypeOption, &pane.syntaxSimscore, &pane.osmartsConvert, &pane.obabelPath,
        &pane.obshellCommand, &pane.iFilepath, &pane.ofssearchFilepath})
    EXPECT_EQ(*member, "");
  EXPECT_EQ(h.popup(pane, "inputFiletype").itemTitles().size(), 147u);
  EXPECT_EQ(h.popup(pane, "outputFiletype").itemTitles().size(), 135u);
  EXPECT_EQ(h.popup(pane, "inputFiletype").titleOfSelectedItem(), "autodetect from extension");
  EXPECT_EQ(h.popup(pane, "outputFiletype").titleOfSelectedItem(), "autodetect from extension");
  EXPECT_THAT(h.popup(pane, "smartsSearchoptions").itemTitles(),
              ElementsAre("Choose", "matching", "not_matching"));
  EXPECT_EQ(h.popup(pane, "smartsSearchoptions").indexOfSelectedItem(), 0);
  EXPECT_THAT(h.popup(pane, "inputFileoptions").itemTitles(), IsEmpty());
  EXPECT_THAT(h.loads(pane, "molView"), IsEmpty());
}

TEST_F(SearchComposition, FileSearchGivesTheWorkedExampleAndPrintsTitleThenCommand) {
  fileSearchExample();
  const std::string expected =
      "/usr/local/bin/obabel -isdf '/data/set.sdf'  -osmi  -O '/data/hits'.smi -s c1ccccc1O  ";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_THAT(h.diagnostics(), ElementsAre("sdf -- MDL MOL format", expected));
  EXPECT_EQ(pane.iFileType, "-isdf");
  EXPECT_EQ(pane.ofirstWord, "smi");
  EXPECT_EQ(text("obabelText"), "") << "the file search does not show its command";
}

TEST_F(SearchComposition, FileSearchModesAndSimilarity) {
  useObabel("/ob");
  setText("inputFilepath", "/in.sdf");
  setText("outputFilepath", "/out.sdf");
  setText("smartsSearch", "CCO");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/out.sdf' ") << "Choose adds no filter";
  EXPECT_THAT(h.diagnostics(), ElementsAre(pane.obshellCommand)) << "autodetect prints no title";

  h.choose(pane, "smartsSearchoptions", "not_matching");
  setText("similarityScore", "0.8");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/out.sdf' -v CCO   -at0.8");

  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", "");
  setText("similarityScore", "");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/out.sdf' -s   ");
  EXPECT_EQ(pane.syntaxSimscore, "");
}

TEST_F(SearchComposition, OutputExtensionFollowsTheLastNamedFormat) {
  useObabel("/ob");
  setText("inputFilepath", "/in.sdf");
  setText("outputFilepath", "/tmp/hits");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/tmp/hits'. ")
      << "before any format is named only the dot is added";

  h.choose(pane, "outputFiletype", "mol2 -- Sybyl Mol2 format");
  h.press(pane, "checkObabel:");
  h.choose(pane, "outputFiletype", "autodetect from extension");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.oFileType, "");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/tmp/hits'.mol2 ");

  setText("outputFilepath", "/tmp/data.old/hits");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob  '/in.sdf'    -O '/tmp/data.old/hits' ")
      << "a dot in a folder name counts";
}

TEST_F(SearchComposition, OptionTokensComeFromThisPanesOptionPopups) {
  useObabel("/ob");
  setText("inputFilepath", "/in.mol2");
  setText("outputFilepath", "/out.smi");
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  h.choose(pane, "outputFileoptions", "-xc Canonical form");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob -imol2 '/in.mol2' -ac -osmi -xc -O '/out.smi' ")
      << "mol2's one read option is always selected";

  h.choose(pane, "inputFiletype", "abinit -- ABINIT Output Format");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  h.press(pane, "checkObabel:");
  EXPECT_EQ(pane.obshellCommand, "/ob -iabinit '/in.mol2'  -osmi  -O '/out.smi' ")
      << "an emptied options popup gives no token, and a new pick resets the option";
}

TEST_F(SearchComposition, IndexBuildReusesTheFlagOfTheLastFileSearch) {
  useObabel(kExampleObabel);
  setText("inputFilepath", "/data/set.sdf");
  setText("fssearchPath", "/data/set.fs");
  h.press(pane, "createFS:");
  EXPECT_EQ(pane.obshellCommand, "/usr/local/bin/obabel  '/data/set.sdf' -ofs -O /data/set.fs");

  fileSearchExample();
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  setText("fssearchPath", "/data/set.fs");
  auto printedBefore = h.diagnostics().size();
  h.press(pane, "createFS:");
  const std::string expected = "/usr/local/bin/obabel -isdf '/data/set.sdf' -ofs -O /data/set.fs";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_EQ(text("obabelText"), expected);
  EXPECT_EQ(h.diagnostics().size(), printedBefore) << "index builds print nothing";
}

TEST_F(SearchComposition, IndexSearchGivesTheWorkedExamples) {
  useObabel(kExampleObabel);
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
  StandInProgram obabel(temp());
  useObabel(obabel.path());
  setText("fssearchPath", "/data/set");
  setText("outputFilepath", "/data/hits.smi");
  h.press(pane, "runFSsearch:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "check file type");
  EXPECT_EQ(h.alerts()[0].informativeText, "Need to choose a .fs file");
  EXPECT_THAT(h.alerts()[0].buttons, ElementsAre("OK"));
  EXPECT_THAT(obabel.arguments(), ElementsAre("/data/set", "-O", "/data/hits.smi"));

  setText("fssearchPath", "/data/v1.2/set");
  setText("smartsSearch", "C");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(h.alerts().size(), 1u) << "a dot anywhere in the path is enough";
  setText("fssearchPath", "");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(h.alerts().size(), 2u);
}

TEST_F(SearchComposition, MissingObabelPathLeadsTheCommand) {
  setText("fssearchPath", "/data/set.fs");
  setText("outputFilepath", "/data/hits.smi");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(pane.obabelPath, "Need obabel Path");
  EXPECT_EQ(pane.obshellCommand.rfind("Need obabel Path /data/set.fs", 0), 0u);
}

TEST_F(SearchComposition, ActionWithAMissingOutletDoesNothingAndSaysSo) {
  h.disconnect(pane, "obabelText");
  setText("fssearchPath", "/data/set.fs");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(pane.obshellCommand, "");
  ASSERT_EQ(h.diagnostics().size(), 1u);
  EXPECT_NE(h.diagnostics()[0].find("obabelText"), std::string::npos);
}

}  // namespace
}  // namespace molbench::testing
