// The SMARTS filter against obabel's own counts, exact title matching and undo; the
// export of selected rows of two files into one SD file.
#include <gmock/gmock.h>

#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class FilterTest : public ViewerTest {
 protected:
  void filter(const std::string& mode, const std::string& smarts) {
    h.choose(pane, "matchOrnot", mode);
    setText("smartsString", smarts);
    h.press(pane, "smartsFilter:");
  }
};

TEST_F(FilterTest, MatchingAndNotMatchingAgreeWithObabel) {
  std::string input = testDataPath("cdk2.sdf");
  import(input);
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  const std::pair<const char*, const char*> modes[] = {{"matching", "-s"}, {"not_matching", "-v"}};
  for (const std::string smarts : {"c1ccccc1O", "[#7;R][CX3](=O)"}) {
    for (const auto& [mode, option] : modes) {
      filter(mode, smarts);
      EXPECT_EQ(static_cast<int>(rows().arrangedCount()),
                obabelCount({input, "-onul", option, smarts}))
          << mode << " " << smarts;
    }
  }
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel " + quotedPath(input) +
                                     " -isdf  -osmi  -xt  -v '[#7;R][CX3](=O)' --addinindex");

  // A SMARTS longer than the system takes in one argument: nothing runs, and that is said.
  auto shownBefore = rows().arrangedCount();
  filter("matching", std::string(128 * 1024, 'C'));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "The command is too long to run");
  EXPECT_EQ(rows().arrangedCount(), shownBefore) << "the filter stays as it was";
}

TEST_F(FilterTest, TitlesAreMatchedExactlyWhateverTheyHold) {
  std::string input = sdFrom(scratch("odd titles.sdf"),
                             "CCO it's (A)\nCCC\nc1ccccc1 x == y\nCCN a IN b\nc1ccccc1O 50% \"q\"\n"
                             "c1ccccc1N 'q' OR x\n");
  import(input);
  filter("matching", "c1ccccc1");
  EXPECT_THAT(shown(), ElementsAre("x == y", "50% \"q\"", "'q' OR x")) << pane.searchResults;
  filter("not_matching", "c1ccccc1");
  EXPECT_THAT(shown(), ElementsAre("it's (A)", "mol2", "a IN b"));
  filter("matching", "[U]");
  EXPECT_TRUE(shown().empty()) << "no match shows no rows";
  h.press(pane, "undoFilter:");
  EXPECT_EQ(shown().size(), 6u);
}

// obabel lists each molecule it keeps with its ordinal in the filtered file: the rows shown are
// those of that file, by ordinal, whatever their titles (none, shared, numbers, blanks). A
// pattern obabel cannot use leaves the table as the last filter left it.
TEST_F(FilterTest, RowsOfTheFilteredFileShowByOrdinalWhateverTheirTitles) {
  std::string other = scratch("other.smi"), set = scratch("set.smi");
  writeFile(other, "c1ccccc1O phenol\nCCN 2\nc1ccccc1N 3\n");
  writeFile(set, "CCO\nc1ccccc1\nc1ccccc1O phenol\nCCCC phenol\nc1ccncc1 2\nCCCl  two  words \n");
  import(other);
  import(set);
  filter("not_matching", "c");
  EXPECT_EQ(shown("molNumber"), (std::vector<std::string>{"1", "4", "6"})) << pane.searchResults;
  filter("matching", "c");
  for (const std::string smarts : {"C(", ""}) filter("not_matching", smarts);
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_EQ(shown("molNumber"), (std::vector<std::string>{"2", "3", "5"}));
  EXPECT_THAT(shown("filePath"), Each(quotedPath(set)));
  setText("inputFilepath", other);
  filter("matching", "c");
  EXPECT_THAT(shown(), ElementsAre("phenol", "3"));
}

TEST_F(FilterTest, RowsImportedAfterAFilterOrAClearingAllShow) {
  import(testDataPath("cdk2-12.sdf"));
  filter("matching", "c1ccncc1");
  ASSERT_LT(shown().size(), 12u);
  h.press(pane, "deleteAll:");
  import(testDataPath("small.sdf"));
  EXPECT_EQ(shown().size(), 10u) << "a filter of the cleared rows hides none of the new ones";
  filter("matching", "c1ccccc1");
  ASSERT_LT(shown().size(), 10u);
  import(testDataPath("cdk2-12.sdf"));
  EXPECT_EQ(shown().size(), 22u) << "an import shows what it added";
}

TEST_F(ViewerTest, SelectedRowsOfTwoFilesExportIntoOneSdFile) {
  std::string other = sdFrom(scratch("other set.sdf"), "CCO it's mine\nCCN amine\n");
  import(testDataPath("small.sdf"));
  import(other);
  setText("inputFilepath", other);
  h.table(pane, "tableView").setSelectedRowIndexes({2, 4, 10});
  h.press(pane, "exportSelected:");
  std::string exported = scratch("other setexport.sdf");
  EXPECT_EQ(text("outputFilepath"), exported);
  EXPECT_THAT(obabelTitles(exported), UnorderedElementsAre("benzene", "pyridine", "it's mine"));
  EXPECT_EQ(pane.obshelljoinCommand, "/usr/bin/obabel " + quotedPath(scratch("other settemp.sdf")) +
                                         " " + quotedPath(exported) + " -O " +
                                         quotedPath(exported));
}

TEST_F(ViewerTest, ExportNeverWritesOverAFileItReadsFrom) {
  // The temporary file of this input is the file the rows come from.
  std::string input = sdFrom(scratch("settemp.sdf"), "CCO one\nCCN two\n");
  import(input);
  setText("inputFilepath", scratch("set.sdf"));
  h.table(pane, "tableView").setSelectedRowIndexes({0});
  h.press(pane, "exportSelected:");
  EXPECT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(obabelCount({input, "-onul"}), 2);
  // With no input path there is no export file to name: said, not skipped in silence.
  setText("inputFilepath", "");
  h.press(pane, "exportSelected:");
  EXPECT_EQ(h.alerts().size(), 2u);
}

}  // namespace
}  // namespace molbench::testing
