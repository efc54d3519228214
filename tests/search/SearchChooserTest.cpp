// The search pane's three file choosers and its two format handlers, with scripted panels.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SearchChoosers : public SearchPaneTest {
 protected:
  // The input, output and index fields after choosing `path` as the input.
  std::vector<std::string> afterChoosingInput(const std::optional<std::string>& path) {
    h.answerOpenPanel(path);
    h.press(pane, "inputFileSelect:");
    return {text("inputFilepath"), text("outputFilepath"), text("fssearchPath")};
  }
};

TEST_F(SearchChoosers, InputChoicePresetsOutputFolderAndIndexPath) {
  EXPECT_THAT(afterChoosingInput("/data/set1/in.sdf"),
              ElementsAre("/data/set1/in.sdf", "/data/set1/", "/data/set1/in.fs"));
  EXPECT_THAT(afterChoosingInput("/data/a.b.sdf"),
              ElementsAre("/data/a.b.sdf", "/data/", "/data/a.b.fs"));
  EXPECT_THAT(afterChoosingInput("/data/set.sdf.gz"),
              ElementsAre("/data/set.sdf.gz", "/data/", "/data/set.sdf.fs"));
  EXPECT_THAT(afterChoosingInput("/data/actives"),
              ElementsAre("/data/actives", "/data/", "/data/actives.fs"));
  EXPECT_THAT(afterChoosingInput("/x.sdf"), ElementsAre("/x.sdf", "//", "/x.fs"));

  ASSERT_FALSE(h.openPanels().empty());
  const auto& panel = h.openPanels().back();
  EXPECT_EQ(panel.title, "Choose input file");
  EXPECT_FALSE(panel.allowedFileTypes.has_value());
  EXPECT_TRUE(panel.canChooseDirectories);
  EXPECT_FALSE(panel.allowsMultipleSelection);
}

TEST_F(SearchChoosers, ChosenFolderIsTakenAsTheInput) {
  std::string folder = temp() + "/run1";
  std::filesystem::create_directory(folder);
  EXPECT_THAT(afterChoosingInput(folder), ElementsAre(folder, temp() + "/", folder + ".fs"));
}

TEST_F(SearchChoosers, CancelChangesNothing) {
  setText("inputFilepath", "typed in");
  setText("outputFilepath", "typed out");
  setText("fssearchPath", "typed index");
  EXPECT_THAT(afterChoosingInput(std::nullopt),
              ElementsAre("typed in", "typed out", "typed index"));
  h.press(pane, "outputFileSelect:");
  h.press(pane, "chooseFSfile:");
  EXPECT_THAT(afterChoosingInput(std::nullopt),
              ElementsAre("typed in", "typed out", "typed index"));
}

TEST_F(SearchChoosers, OutputAndIndexChoicesChangeOnlyTheirField) {
  afterChoosingInput("/data/set1/in.sdf");
  h.answerOpenPanel("/elsewhere/hits.smi");
  h.press(pane, "outputFileSelect:");
  h.answerOpenPanel("/indexes/old.fs");
  h.press(pane, "chooseFSfile:");
  EXPECT_THAT(std::vector<std::string>(
                  {text("inputFilepath"), text("outputFilepath"), text("fssearchPath")}),
              ElementsAre("/data/set1/in.sdf", "/elsewhere/hits.smi", "/indexes/old.fs"));
  EXPECT_EQ(h.openPanels()[1].title, "Choose output file");
  EXPECT_EQ(h.openPanels()[2].title, "Choose the fastsearch file");
  EXPECT_THAT(h.openPanels()[2].allowedFileTypes.value_or(std::vector<std::string>{}),
              ElementsAre("fs"));

  EXPECT_THAT(afterChoosingInput("/data/set2/b.sdf"),
              ElementsAre("/data/set2/b.sdf", "/data/set2/", "/data/set2/b.fs"))
      << "a new input overwrites the output and index fields";
}

TEST_F(SearchChoosers, FormatPicksRefillOnlyTheirOwnOptionsPopup) {
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  EXPECT_EQ(h.popup(pane, "inputFileoptions").itemTitles(), formatTables().inputMenuMdl);
  EXPECT_EQ(h.popup(pane, "inputFileoptions").titleOfSelectedItem(), "Options");
  EXPECT_THAT(h.popup(pane, "outputFileoptions").itemTitles(), IsEmpty());

  h.choose(pane, "outputFiletype", "png -- PNG 2D depiction");
  EXPECT_EQ(h.popup(pane, "outputFileoptions").itemTitles(), formatTables().outputMenuPng);
  h.choose(pane, "inputFiletype", "g03 -- Gaussian Output");
  EXPECT_THAT(h.popup(pane, "inputFileoptions").itemTitles(), IsEmpty());
}

// The conversion pane is built on another branch; two search panes in one world prove that
// the shared tables carry no state from one pane's popups to another's.
TEST_F(SearchChoosers, PicksInOnePaneLeaveAnotherPaneAlone) {
  auto& other = h.make<SearchViewController>("SearchViewController");
  h.choose(other, "inputFiletype", "smi -- SMILES format");
  h.choose(other, "outputFiletype", "mol2 -- Sybyl Mol2 format");
  h.choose(other, "smartsSearchoptions", "not_matching");
  h.choose(pane, "inputFiletype", "cif -- Crystallographic Information File");

  EXPECT_EQ(h.popup(pane, "inputFileoptions").itemTitles(), formatTables().inputMenuCif);
  EXPECT_THAT(h.popup(pane, "outputFileoptions").itemTitles(), IsEmpty());
  EXPECT_EQ(h.popup(pane, "smartsSearchoptions").titleOfSelectedItem(), "Choose");
  EXPECT_EQ(h.popup(pane, "outputFiletype").titleOfSelectedItem(), "autodetect from extension");
  EXPECT_EQ(h.popup(other, "inputFileoptions").itemTitles(), formatTables().inputMenuSmiles);
  EXPECT_EQ(h.popup(other, "inputFiletype").titleOfSelectedItem(), "smi -- SMILES format");
}

}  // namespace
}  // namespace molbench::testing
