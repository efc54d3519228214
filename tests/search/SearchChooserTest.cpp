// The search pane's file choosers with scripted panels, and its format handlers.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SearchChoosers : public SearchPaneTest {
 protected:
  // The input, output and index fields after pressing the chooser with this panel answer.
  std::vector<std::string> afterChoosing(const std::string& selector,
                                         const std::optional<std::string>& answer) {
    h.answerOpenPanel(answer);
    h.press(pane, selector);
    return {text("inputFilepath"), text("outputFilepath"), text("fssearchPath")};
  }
};

TEST_F(SearchChoosers, InputChoicePresetsOutputFolderAndIndexPath) {
  auto input = [&](const std::string& path) { return afterChoosing("inputFileSelect:", path); };
  EXPECT_THAT(input("/data/set1/in.sdf"),
              ElementsAre("/data/set1/in.sdf", "/data/set1/", "/data/set1/in.fs"));
  EXPECT_THAT(input("/data/a.b.sdf"), ElementsAre("/data/a.b.sdf", "/data/", "/data/a.b.fs"));
  EXPECT_THAT(input("/data/set.sdf.gz"),
              ElementsAre("/data/set.sdf.gz", "/data/", "/data/set.sdf.fs"));
  EXPECT_THAT(input("/x.sdf"), ElementsAre("/x.sdf", "//", "/x.fs"));
  std::string folder = temp() + "/run1";
  std::filesystem::create_directory(folder);
  EXPECT_THAT(input(folder), ElementsAre(folder, temp() + "/", folder + ".fs"));
  EXPECT_EQ(h.openPanels().back().title, "Choose input file");
  EXPECT_FALSE(h.openPanels().back().allowedFileTypes.has_value());
}

TEST_F(SearchChoosers, OutputAndIndexChoicesChangeOnlyTheirFieldAndCancelNothing) {
  afterChoosing("inputFileSelect:", "/data/set1/in.sdf");
  afterChoosing("outputFileSelect:", "/elsewhere/hits.smi");
  EXPECT_THAT(afterChoosing("chooseFSfile:", "/indexes/old.fs"),
              ElementsAre("/data/set1/in.sdf", "/elsewhere/hits.smi", "/indexes/old.fs"));
  EXPECT_EQ(h.openPanels()[1].title, "Choose output file");
  EXPECT_EQ(h.openPanels()[2].title, "Choose the fastsearch file");
  EXPECT_THAT(*h.openPanels()[2].allowedFileTypes, ElementsAre("fs"));

  for (const char* selector : {"inputFileSelect:", "outputFileSelect:", "chooseFSfile:"})
    EXPECT_THAT(afterChoosing(selector, std::nullopt),
                ElementsAre("/data/set1/in.sdf", "/elsewhere/hits.smi", "/indexes/old.fs"));
  EXPECT_THAT(afterChoosing("inputFileSelect:", "/data/set2/b.sdf"),
              ElementsAre("/data/set2/b.sdf", "/data/set2/", "/data/set2/b.fs"))
      << "a new input overwrites the output and index fields";
}

// The conversion pane is built on another branch; two search panes in one world prove that
// the shared tables carry no state from one pane's popups to another's.
TEST_F(SearchChoosers, FormatPicksRefillOnlyThisPanesOptionsPopup) {
  auto& other = h.make<SearchViewController>("SearchViewController");
  h.choose(other, "inputFiletype", "smi -- SMILES format");
  h.choose(other, "outputFiletype", "mol2 -- Sybyl Mol2 format");
  h.choose(other, "smartsSearchoptions", "not_matching");
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");

  EXPECT_EQ(h.popup(pane, "inputFileoptions").itemTitles(), formatTables().inputMenuMdl);
  EXPECT_EQ(h.popup(pane, "inputFileoptions").titleOfSelectedItem(), "Options");
  EXPECT_THAT(h.popup(pane, "outputFileoptions").itemTitles(), IsEmpty());
  EXPECT_EQ(h.popup(pane, "smartsSearchoptions").titleOfSelectedItem(), "Choose");
  EXPECT_EQ(h.popup(pane, "outputFiletype").titleOfSelectedItem(), "autodetect from extension");
  EXPECT_EQ(h.popup(other, "inputFileoptions").itemTitles(), formatTables().inputMenuSmiles);

  h.choose(pane, "inputFiletype", "g03 -- Gaussian Output");
  EXPECT_THAT(h.popup(pane, "inputFileoptions").itemTitles(), IsEmpty());
}

}  // namespace
}  // namespace molbench::testing
