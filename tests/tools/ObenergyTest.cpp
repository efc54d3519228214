// The energy pane: the report shown in the pane and the same report saved to a file, from the
// real obabel; a report with bytes that are not UTF-8 is still shown.
#include <filesystem>

#include "ToolPattern.h"
#include "common/ShellQuote.h"
#include "tools/obenergyviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

using Obenergy = ToolPane<obenergyviewcontroller, "obenergy">;

TEST_F(Obenergy, ShowsTheRealReportAndSavesTheSameReportWithoutPrinting) {
  EXPECT_EQ(h.popup(pane, "inputFiletype").itemTitles(), kToolInputFormatsNoSmiles);
  EXPECT_EQ(h.popup(pane, "forceField").titleOfSelectedItem(), "MMFF94");
  std::string input = testDataPath("small.sdf");
  setText("inputFilepath", input);
  h.choose(pane, "forceField", "UFF");
  h.press(pane, "runObenergy:");
  EXPECT_THAT(h.diagnostics(), ElementsAre(pane.obshellCommand));
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel  " + quotedPath(input) +
                                     " -otxt --energy --append \"Energy\" --ff UFF");
  std::string shown = text("obEnergyText");
  // One "title energy" line per molecule, then obabel's own summary.
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 11);
  EXPECT_THAT(shown, ::testing::ContainsRegex("^ethanol -?[0-9.]+\n"));
  EXPECT_THAT(shown, ::testing::EndsWith("\n10 molecules converted\n"));

  setText("outputFilepath", scratch("energies.txt"));
  h.press(pane, "saveEnergy:");
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel  " + quotedPath(input) +
                                     " -otxt --energy --append \"Energy\" -O '" +
                                     scratch("energies.txt") + "' --ff UFF");
  EXPECT_EQ(readFile(scratch("energies.txt")) + "10 molecules converted\n", shown);
  EXPECT_EQ(text("obEnergyText"), shown);
  EXPECT_EQ(h.diagnostics().size(), 1u) << "saving prints no command";
}

// SMILES hold no atom positions: the force field would put every atom at one point and report
// an energy near 1e9 kcal/mol. Such an input runs nothing and an alert says why.
TEST_F(Obenergy, ASmilesInputRunsNothingAndSaysWhy) {
  setText("inputFilepath", testDataPath("small.smi"));
  setText("outputFilepath", scratch("energies.txt"));
  h.press(pane, "runObenergy:");
  h.press(pane, "saveEnergy:");
  EXPECT_EQ(pane.obshellCommand, "");
  EXPECT_EQ(text("obEnergyText"), "");
  EXPECT_FALSE(std::filesystem::exists(scratch("energies.txt")));
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("no atom positions"));
}

TEST_F(Obenergy, AReportWithBytesThatAreNotUtf8IsShownWithReplacementCharacters) {
  useStandIn();
  writeReportingStandIn(scratch("bin/obabel"), scratch("arguments"), "caf\xe9 -1.5");
  setText("inputFilepath", molecules("in.sdf"));
  h.press(pane, "runObenergy:");
  EXPECT_EQ(text("obEnergyText"), "caf\xef\xbf\xbd -1.5\n");
}

// obabel leaves out a molecule its force field cannot type with exit 0: its lines are shown
// beside the shown report, and said with an alert for the saved one.
TEST_F(Obenergy, AMoleculeTheForceFieldCannotTypeIsSaidBesideTheReport) {
  setText("inputFilepath", moleculesMmffCannotType(scratch("set.sdf")));
  setText("outputFilepath", scratch("energies.txt"));
  h.press(pane, "runObenergy:");
  EXPECT_THAT(
      text("obEnergyText"),
      ::testing::ContainsRegex("Could not setup force field.\n(.|\n)*\nethylamine -?[0-9]"));
  h.press(pane, "saveEnergy:");
  h.choose(pane, "forceField", "UFF");  // UFF types tin: nothing more is said
  h.press(pane, "saveEnergy:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::EndsWith("lines:\nCould not setup force field.\n2 molecules converted"));
}

}  // namespace
}  // namespace molbench::testing
