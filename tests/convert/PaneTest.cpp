// The format handlers, the count, the output guard and what happens without a control.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>

#include "ConvertFixture.h"
#include "common/ShellQuote.h"

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
            "/usr/bin/obabel  " + quotedPath(sdf) + "  -onul -v 'FFFFF' 2>&1 |cut -d  \" \" -f1");
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
  // A missing obabel is said, not counted as "/bin/bash:" molecules.
  useObabel(scratch("no/obabel"));
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "before");
  EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr("no number of molecules"));

  // Run hands the field to the shell as it stands.
  setText("obabelText", "printf '\\xff'; echo edited > '" + scratch("ran") + "'");
  h.press(pane, "runObabelcommand:");
  EXPECT_EQ(readFile(scratch("ran")), "edited\n");
  EXPECT_EQ(pane.obshellCommand, commandField());
}

// No action reads what it cannot (obabel empties its output first; a FIFO would block Count,
// or the data-field listing inside Molbench, for good) or writes over its input or into a
// folder (the preset "its folder/" would get a hidden ".smi"). Check refuses what Convert does.
TEST_F(Pane, AnUnreadableInputOrADestructiveOutputRunsNothingAndSaysWhy) {
  std::string input = scratch("in.smi"), output = scratch("kept.smi");
  writeFile(input, "CCO ethanol\n");
  writeFile(output, "CCO ethanol\n");
  h.answerOpenPanel(input);
  h.press(pane, "inputFileSelect:");
  h.choose(pane, "outputFiletype", kSmiRow);
  std::filesystem::create_directories(scratch("folder"));
  std::filesystem::create_symlink("nowhere/out.smi", scratch("dangling.smi"));
  ASSERT_EQ(::mkfifo(scratch("fifo").c_str(), 0600), 0);
  // A reader keeps a run that writes into the FIFO from hanging the test.
  int reader = ::open(scratch("fifo").c_str(), O_RDONLY | O_NONBLOCK);
  std::vector<std::string> reasons;
  const std::pair<std::string, std::string> outputs[] = {
      {text("outputFilepath"), "ends in \"/\""},
      {temp(), "is a folder"},
      {input, "an input of this run"},
      {temp() + "/./in.smi", "an input of this run"},
      {scratch("nowhere/out.smi"), "does not exist"},
      {scratch("dangling.smi"), "(a link to"},
      {scratch("fifo"), "not a regular file"}};
  for (const auto& [written, reason] : outputs) {
    setText("outputFilepath", written);
    for (auto action : {"convertFile:", "checkObabel:"}) h.press(pane, action);
    reasons.insert(reasons.end(), 2, reason);
  }
  setText("outputFilepath", output);
  const std::pair<std::string, std::string> inputs[] = {{"", "input path is empty"},
                                                        {scratch("gone"), "cannot be found"},
                                                        {scratch("folder"), "is a folder"},
                                                        {scratch("fifo"), "not a regular file"}};
  for (const auto& [read, reason] : inputs) {
    setText("inputFilepath", read);
    for (auto action : {"convertFile:", "checkObabel:", "countMols:", "listTags:"})
      h.press(pane, action);
    reasons.insert(reasons.end(), 4, reason);
  }
  ASSERT_EQ(h.alerts().size(), reasons.size());
  for (size_t i = 0; i < reasons.size(); ++i)
    EXPECT_THAT(h.alerts()[i].informativeText, ::testing::HasSubstr(reasons[i])) << i;
  EXPECT_EQ(readFile(input), "CCO ethanol\n");
  EXPECT_EQ(readFile(output), "CCO ethanol\n");
  EXPECT_EQ(commandField(), "") << "no command, no count of 0 molecules, no listing";
  ::close(reader);
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
