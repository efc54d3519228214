// The format handlers, the count, the output guard and what happens without a control.
#include <gmock/gmock.h>
#include <sys/stat.h>

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
  useObabel("/bin/bash '" + program + "'");
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
  // Check refuses what Convert refuses, and composes nothing Run could execute.
  const std::string outputs[] = {temp() + "/", temp(), input, temp() + "/./in.smi"};
  for (const std::string& output : outputs) {
    setText("outputFilepath", output);
    h.press(pane, "convertFile:");
    h.press(pane, "checkObabel:");
  }
  ASSERT_EQ(h.alerts().size(), 8u);
  EXPECT_THAT(h.alerts()[1].informativeText, ::testing::HasSubstr("ends in \"/\""));
  EXPECT_THAT(h.alerts()[3].informativeText, ::testing::HasSubstr("is a folder"));
  EXPECT_THAT(h.alerts()[5].informativeText, ::testing::HasSubstr("an input of this run"));
  EXPECT_THAT(h.alerts()[7].informativeText, ::testing::HasSubstr("an input of this run"));
  EXPECT_FALSE(fileExists(scratch(".smi")));
  EXPECT_EQ(readFile(input), "CCO ethanol\n");
  EXPECT_TRUE(pane.obshellCommand.empty()) << "nothing ran";
  EXPECT_EQ(commandField(), "");
}

// obabel empties its output even when it finds no input to read, and a FIFO would block
// Count, or the data-field listing inside Molbench, for good.
TEST_F(Pane, AnInputThatCannotBeReadRunsNothingKeepsTheOutputAndSaysWhy) {
  std::string output = scratch("kept.smi");
  writeFile(output, "CCO ethanol\n");
  setText("outputFilepath", output);
  std::filesystem::create_directories(scratch("folder"));
  ASSERT_EQ(::mkfifo(scratch("fifo").c_str(), 0600), 0);
  for (auto input : {std::string(), scratch("missing.smi"), scratch("folder"), scratch("fifo")}) {
    setText("inputFilepath", input);
    for (auto action : {"convertFile:", "checkObabel:", "countMols:", "listTags:"})
      h.press(pane, action);
  }
  ASSERT_EQ(h.alerts().size(), 16u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("input path is empty"));
  EXPECT_THAT(h.alerts()[7].informativeText, ::testing::HasSubstr("cannot be found"));
  EXPECT_THAT(h.alerts()[11].informativeText, ::testing::HasSubstr("is a folder"));
  EXPECT_THAT(h.alerts()[15].informativeText, ::testing::HasSubstr("not a regular file"));
  EXPECT_EQ(readFile(output), "CCO ethanol\n");
  EXPECT_EQ(commandField(), "") << "no count of 0 molecules, no listing";
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
