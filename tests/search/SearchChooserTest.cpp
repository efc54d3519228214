// The search pane's file choosers with scripted panels, and its format handlers beside a
// conversion pane's.
#include <gmock/gmock.h>

#include <array>
#include <filesystem>

#include "SearchTestSupport.h"
#include "convert/Convertcontroller.h"

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
  std::string folder = temp() + "/run1";
  std::filesystem::create_directory(folder);
  for (const auto& [path, output, index] :
       std::vector<std::array<std::string, 3>>{{"/data/set.sdf.gz", "/data/", "/data/set.sdf.fs"},
                                               {"/x.sdf", "//", "/x.fs"},
                                               {folder, temp() + "/", folder + ".fs"}})
    EXPECT_THAT(afterChoosing("inputFileSelect:", path), ElementsAre(path, output, index));
  EXPECT_EQ(h.openPanels().back().title, "Choose input file");
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

  // The index chooser refuses a molecule file, typed or clicked: building the index there
  // would overwrite it. The panel stays open for the next answer.
  EXPECT_EQ(afterChoosing("chooseFSfile:", "/data/set1/in.sdf")[2], "/indexes/old.fs");
  h.answerOpenPanel("/data/set1/in.sdf");
  EXPECT_EQ(afterChoosing("chooseFSfile:", "/data/set1/NEW.FS")[2], "/data/set1/NEW.FS");
}

// Both panes fill their popups from one set of tables; a pick in one must reach no other pane.
TEST_F(SearchChoosers, PicksHereNeverChangeTheConversionPanesPopups) {
  auto& convert = h.make<Convertcontroller>("Convertcontroller");
  h.choose(convert, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  const auto before = h.popup(convert, "inputFileoptions").itemTitles();
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  EXPECT_EQ(h.popup(pane, "inputFileoptions").itemTitles(), formatTables().inputMenuMdl);
  h.choose(pane, "inputFiletype", "g03 -- Gaussian Output");
  EXPECT_THAT(h.popup(pane, "inputFileoptions").itemTitles(), IsEmpty());
  EXPECT_EQ(h.popup(convert, "inputFileoptions").itemTitles(), before);
  EXPECT_EQ(h.popup(convert, "inputFiletype").titleOfSelectedItem(), "mol2 -- Sybyl Mol2 format");
}

}  // namespace
}  // namespace molbench::testing
