// The format handlers, the count, the output guard and what happens without a control.
#include <gmock/gmock.h>

#include <filesystem>

#include "ConvertFixture.h"

namespace molbench::testing {
namespace {

using ::testing::IsEmpty;

using Pane = ConvertPaneTest;

// The search pane's tests pick input formats with and without options.
TEST_F(Pane, FormatPicksRefillOrEmptyTheirOptions) {
  h.choose(pane, "outputFiletype", kSmiRow);
  h.choose(pane, "outputFileoptions", "-xt Only molecule name");
  h.choose(pane, "outputFiletype", kSmiRow);  // a new pick starts afresh, nothing doubled
  EXPECT_EQ(h.popup(pane, "outputFileoptions").titleOfSelectedItem(), "Options");
  // A pick with nothing selected empties the options too.
  h.popup(pane, "outputFiletype").selectItemAtIndex(-1);
  h.popup(pane, "outputFiletype").sendAction();
  EXPECT_THAT(h.popup(pane, "outputFileoptions").itemTitles(), IsEmpty());
}

TEST_F(Pane, CountShowsTheNumberOnItsOwnLineAndOutputThatIsNoTextNowhere) {
  std::string sdf = testDataPath("cdk2-12.sdf");
  setText("inputFilepath", sdf);
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "The file contains 12\nmolecules");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obabel  '" + sdf + "'  -onul -v 'FFFFF' 2>&1 |cut -d  \" \" -f1");
  // Warnings come first; the count is still the number of the summary line.
  writeFile(scratch("warns.smi"), "c1cccc1\tfive\nCCO\tethanol\n");
  setText("inputFilepath", scratch("warns.smi"));
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "The file contains 2\nmolecules");

  std::string program = scratch("binary");
  writeFile(program, "#!/bin/bash\nprintf '\\xff\\xfe'\n");
  std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  useObabel(program);
  setText("obabelText", "before");
  auto printed = h.diagnostics().size();
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "before");
  EXPECT_EQ(h.diagnostics().size(), printed + 2);  // the command, then why nothing is shown

  // Run hands the field to the shell as it stands.
  setText("obabelText", "printf '\\xff'; echo edited > '" + scratch("ran") + "'");
  h.press(pane, "runObabelcommand:");
  EXPECT_EQ(readFile(scratch("ran")), "edited\n");
  EXPECT_EQ(pane.obshellCommand, commandField());
}

// The preset "its folder/" names no file: obabel would write a hidden ".smi" there.
TEST_F(Pane, OutputThatIsAFolderOrTheInputRunsNothingAndSaysWhy) {
  std::string input = scratch("in.smi");
  writeFile(input, "CCO ethanol\n");
  h.answerOpenPanel(input);
  h.press(pane, "inputFileSelect:");
  h.choose(pane, "outputFiletype", kSmiRow);
  for (const std::string& output : {temp() + "/", temp(), input}) {
    setText("outputFilepath", output);
    h.press(pane, "convertFile:");
  }
  ASSERT_EQ(h.alerts().size(), 3u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("ends in \"/\""));
  EXPECT_THAT(h.alerts()[1].informativeText, ::testing::HasSubstr("is a folder"));
  EXPECT_THAT(h.alerts()[2].informativeText, ::testing::HasSubstr("is also an input"));
  EXPECT_FALSE(fileExists(scratch(".smi")));
  EXPECT_EQ(readFile(input), "CCO ethanol\n");
  EXPECT_TRUE(pane.obshellCommand.empty()) << "nothing ran";
}

// obabel empties its output even when it finds no input to read.
TEST_F(Pane, EmptyInputRunsNothingAndKeepsTheOutputFile) {
  std::string output = scratch("kept.smi");
  writeFile(output, "CCO ethanol\n");
  setText("outputFilepath", output);
  h.press(pane, "convertFile:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("input path is empty"));
  EXPECT_EQ(readFile(output), "CCO ethanol\n");
}

TEST_F(Pane, MissingControlStopsOnlyTheActionThatNeedsIt) {
  h.disconnect(pane, "removeSalts");
  h.press(pane, "checkObabel:");
  h.press(pane, "filterHelp:");
  EXPECT_THAT(h.diagnostics(),
              ::testing::ElementsAre("checkObabel: skipped: outlet removeSalts is not connected"));
  EXPECT_TRUE(pane.obshellCommand.empty());
  EXPECT_THAT(commandField(), ::testing::StartsWith("You can filter on two types of property:"));
}

}  // namespace
}  // namespace molbench::testing
