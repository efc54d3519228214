// Importing real files: one row per molecule with its ordinal, title and quoted path.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>

#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

TEST_F(ViewerTest, ImportListsEveryMoleculeWithOrdinalTitleAndQuotedPath) {
  std::string input = testDataPath("cdk2-12.sdf");
  import(input);
  EXPECT_EQ(pane.obshellcountCommand,
            "/usr/bin/obabel " + quotedPath(input) + "  -onul -v 'FFFFF' 2>&1 |cut -d  \" \" -f1");
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel " + quotedPath(input) + "  -osmi  -xt");
  EXPECT_EQ(shown(), obabelTitles(input));
  ASSERT_EQ(rows().content().size(), 12u);
  EXPECT_EQ(rows().content()[0], (platform::Row{{"molNumber", "1"},
                                                {"molName", "ZINC03814457"},
                                                {"tag", "0"},
                                                {"filePath", quotedPath(input)}}));
}

// The selection names rows by their places, which show other molecules once the rows are shown
// anew: none stays selected, and the count says so.
TEST_F(ViewerTest, RowsShownAnewLeaveNoRowSelectedAndTheCountSaysSo) {
  setText("smartsString", "c1ccccc1");
  for (const std::string action : {"importData:", "smartsFilter:", "undoFilter:", "deleteAll:"}) {
    import(testDataPath("small.sdf"));
    click(1, {0, 1});
    ASSERT_EQ(text("selectedCount"), "2");
    h.press(pane, action);
    EXPECT_EQ(text("selectedCount"), "0") << action;
    EXPECT_TRUE(h.table(pane, "tableView").selectedRowIndexes().empty()) << action;
  }
}

TEST_F(ViewerTest, UntitledMoleculesAreNamedByOrdinalAndImportsAccumulate) {
  std::filesystem::create_directories(scratch("it's a (set)"));
  std::string a = sdFrom(scratch("it's a (set)/my mols.sdf"), "CCO first\nCCC\nc1ccccc1 third\n");
  import(a);
  import(a);
  import(testDataPath("small.sdf"));
  auto names = shown();
  ASSERT_EQ(names.size(), 16u);
  EXPECT_THAT(std::vector<std::string>(names.begin(), names.begin() + 7),
              ElementsAre("first", "mol2", "third", "first", "mol2", "third", "ethanol"));
  EXPECT_EQ(shown("filePath")[0], quotedPath(a));
  EXPECT_EQ(shown("molNumber")[6], "1") << "ordinals restart for each file";
  EXPECT_EQ(shown("filePath")[6], quotedPath(testDataPath("small.sdf")));
}

TEST_F(ViewerTest, FilesWithoutMoleculesAddNoRowsAndRunNoListing) {
  writeFile(scratch("empty.sdf"), "");
  writeFile(scratch("garbage.sdf"), "not a molecule\n");
  ASSERT_EQ(::mkfifo(scratch("fifo.sdf").c_str(), 0600), 0);  // obabel would wait on it for good
  for (const auto& input :
       {scratch("empty.sdf"), scratch("garbage.sdf"), scratch("missing.sdf"), scratch("fifo.sdf")})
    import(input);
  setText("inputFilepath", scratch("fifo.sdf"));
  h.press(pane, "smartsFilter:");
  EXPECT_TRUE(rows().content().empty());
  for (const auto& line : h.diagnostics()) EXPECT_EQ(line.find("-xt"), std::string::npos) << line;
  // A click that adds nothing says so instead of leaving the table as it was without a word.
  ASSERT_EQ(h.alerts().size(), 5u);
  EXPECT_NE(h.alerts()[2].informativeText.find(scratch("missing.sdf")), std::string::npos);
  EXPECT_NE(h.alerts()[4].informativeText.find("not a regular file"), std::string::npos);
}

TEST_F(ViewerTest, CountComesFromTheSummaryLineAndBadBytesBecomeReplacements) {
  // obabel warns about the five-membered ring before it reports the count.
  writeFile(scratch("warns.smi"), "CCO caf\xe9\nc1cccc1 odd\nc1ccccc1 benzene\n");
  import(scratch("warns.smi"));
  EXPECT_THAT(shown(), ElementsAre("caf\xEF\xBF\xBD", "odd", "benzene"));
}

}  // namespace
}  // namespace molbench::testing
