// Set-up, the format handlers, the choosers, the help and what happens without a control.
#include <gmock/gmock.h>

#include "ConvertFixture.h"
#include "platform/SceneRegistry.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Pane = ConvertPaneTest;

TEST_F(Pane, SetUpFillsThePopupsOnceAndSetsTheRange) {
  pane.viewDidLoad();  // a second load doubles nothing
  EXPECT_EQ(h.popup(pane, "inputFiletype").itemTitles().size(), 147u);
  EXPECT_EQ(h.popup(pane, "outputFiletype").itemTitles().size(), 135u);
  EXPECT_EQ(h.popup(pane, "outputFiletype").titleOfSelectedItem(), "autodetect from extension");
  EXPECT_EQ(h.popup(pane, "hydrogensPop").itemTitles().size(), 5u);
  EXPECT_EQ(h.popup(pane, "smartsConvertoptions").titleOfSelectedItem(), "Choose");
  EXPECT_TRUE(h.button(pane, "convertAll").isOn());
  EXPECT_FALSE(h.button(pane, "convertSeletion").isOn());
  EXPECT_THAT(h.popup(pane, "inputFileoptions").itemTitles(), IsEmpty());
  EXPECT_TRUE(platform::SceneRegistry::shared().contains("Convertcontroller"));
}

TEST_F(Pane, FormatPicksRefillOrEmptyTheirOptions) {
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  EXPECT_EQ(h.popup(pane, "inputFileoptions").titleOfSelectedItem(),
            "-ac Read UCSF Dock scores saved in comments preceding molecules");
  h.choose(pane, "inputFiletype", "ml2 -- Sybyl Mol2 format");
  EXPECT_THAT(h.popup(pane, "inputFileoptions").itemTitles(), IsEmpty());

  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  h.choose(pane, "outputFileoptions", "-xt Only molecule name");
  h.choose(pane, "outputFiletype", "smi -- SMILES format");
  EXPECT_EQ(h.popup(pane, "outputFileoptions").indexOfSelectedItem(), 0);
  EXPECT_EQ(h.popup(pane, "outputFileoptions").itemTitles().size(), 12u);
  h.choose(pane, "outputFiletype", "sy2 -- Sybyl Mol2 format");
  EXPECT_THAT(h.popup(pane, "outputFileoptions").itemTitles(), IsEmpty());

  // A pick with nothing selected empties the options too.
  h.choose(pane, "outputFiletype", "pdb -- Protein Data Bank format");
  h.popup(pane, "outputFiletype").selectItemAtIndex(-1);
  h.popup(pane, "outputFiletype").sendAction();
  EXPECT_THAT(h.popup(pane, "outputFileoptions").itemTitles(), IsEmpty());
}

TEST_F(Pane, ChoosersPresetTheOutputFolder) {
  setText("outputFilepath", "typed by hand");
  h.answerOpenPanel(std::nullopt);
  h.press(pane, "inputFileSelect:");
  EXPECT_EQ(h.field(pane, "outputFilepath").text(), "typed by hand");

  h.answerOpenPanel("/data/set 1/in'.sdf");
  h.press(pane, "inputFileSelect:");
  EXPECT_EQ(h.field(pane, "inputFilepath").text(), "/data/set 1/in'.sdf");
  EXPECT_EQ(h.field(pane, "outputFilepath").text(), "/data/set 1/");

  h.answerOpenPanel("/in.sdf");
  h.press(pane, "inputFileSelect:");
  EXPECT_EQ(h.field(pane, "outputFilepath").text(), "//");

  h.answerOpenPanel("/data/out.smi");
  h.press(pane, "outputFileSelect:");
  EXPECT_EQ(h.field(pane, "outputFilepath").text(), "/data/out.smi");
  EXPECT_EQ(h.field(pane, "inputFilepath").text(), "/in.sdf");

  ASSERT_EQ(h.openPanels().size(), 4u);
  EXPECT_EQ(h.openPanels()[0].title, "Choose input file");
  EXPECT_EQ(h.openPanels()[3].title, "Choose output file");
  EXPECT_TRUE(h.openPanels()[3].canChooseDirectories);
  EXPECT_FALSE(h.openPanels()[3].allowedFileTypes);
}

TEST_F(Pane, HelpAndRangeButtonsTouchOnlyWhatTheyShow) {
  h.press(pane, "filterHelp:");
  std::string help = commandField();
  EXPECT_EQ(help.size(), 259u);
  EXPECT_EQ(help.substr(0, 49), "You can filter on two types of property:\n        ");
  EXPECT_TRUE(help.ends_with("MW<130 ROTATABLE_BOND > 2"));
  h.press(pane, "radioButtonChanged:");
  EXPECT_EQ(commandField(), help);
  EXPECT_TRUE(pane.obshellCommand.empty());
  EXPECT_THAT(h.diagnostics(), IsEmpty());
}

TEST_F(Pane, CountThatPrintsNoTextLeavesTheFieldAlone) {
  std::string program = scratch("binary");
  writeFile(program, "#!/bin/bash\nprintf '\\xff\\xfe'\n");
  h.defaults().set("pathToobabel", "/bin/bash '" + program + "'");
  setText("obabelText", "before");
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "before");
  EXPECT_EQ(h.diagnostics().size(), 2u);  // the command, then why nothing is shown

  // Output that is no text is simply dropped by Run.
  setText("obabelText", "printf '\\xff'");
  h.press(pane, "runObabelcommand:");
  EXPECT_EQ(pane.obshellCommand, "printf '\\xff'");
}

TEST_F(Pane, MissingControlStopsOnlyTheActionThatNeedsIt) {
  h.disconnect(pane, "removeSalts");
  h.disconnect(pane, "obabelText");
  for (auto action : {"convertFile:", "checkObabel:", "countMols:", "listTags:", "filterHelp:",
                      "runObabelcommand:"})
    h.press(pane, action);
  EXPECT_EQ(h.diagnostics().size(), 6u);
  EXPECT_TRUE(pane.obshellCommand.empty());
  EXPECT_TRUE(pane.obabelPath.empty());

  h.disconnect(pane, "inputFileoptions");
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  EXPECT_EQ(h.diagnostics().size(), 7u);
  EXPECT_THAT(h.diagnostics().back(), ::testing::HasSubstr("inputFileoptions"));
}

}  // namespace
}  // namespace molbench::testing
