// The minimisation pane: its defaults, where each control lands in the command, and real
// minimisations with every algorithm and force field.
#include <gmock/gmock.h>

#include <filesystem>

#include "CalculationTestSupport.h"
#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obminimiseviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

INSTANTIATE_TEST_SUITE_P(Obminimise, ToolPattern,
                         ::testing::Values(ToolPaneCase{.identifier = "obminimise",
                                                        .run = "runObminimise:",
                                                        .defaultOutput = "/obminimise.sdf",
                                                        .inputExtensions = kStructureExtensions}),
                         caseName);

class Obminimise : public PaneTest<obminimiseviewcontroller> {
 protected:
  Obminimise() : PaneTest("obminimise") {}
};

TEST_F(Obminimise, StartsFromTheStoredDefaultsAndPassesEachControlInItsPlace) {
  EXPECT_EQ(h.popup(pane, "inputFiletype").titleOfSelectedItem(), "Choose");
  EXPECT_EQ(h.popup(pane, "forceField").titleOfSelectedItem(), "MMFF94");
  EXPECT_EQ(h.popup(pane, "algorithm").itemTitles(), (Titles{"--cg", "--sd", "--newton"}));
  EXPECT_EQ(h.popup(pane, "algorithm").titleOfSelectedItem(), "--cg");
  EXPECT_EQ(text("steps") + " " + text("convergence") + " " + text("vdwCutoff") + " " +
                text("electrostaticCutoff") + " " + text("nonBondedupdatefreq"),
            "2500 1e-6 6 10.0 10");

  useStandIn();
  setText("inputFilepath", "/data/set.sdf");
  setText("outputFilepath", scratch("min.sdf"));
  h.choose(pane, "algorithm", "--newton");
  h.choose(pane, "forceField", "UFF");
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  setText("steps", "");
  setText("vdwCutoff", "6 7");
  h.press(pane, "runObminimise:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("/data/set.sdf", "-O", scratch("min.sdf"), "--minimize", "--steps", "",
                          "--newton", "--ff", "UFF", "--crit", "1e-6", "--rvdw", "6 7", "--rele",
                          "10.0", "--freq", "10"));
  EXPECT_THAT(h.diagnostics(), ElementsAre(pane.obshellCommand));
  EXPECT_EQ(pane.numSteps, "2500") << "editing a field leaves its stored default";
}

TEST_F(Obminimise, ASmilesInputRunsNothing) {
  setText("inputFilepath", testDataPath("small.smi"));
  setText("outputFilepath", scratch("min.sdf"));
  h.press(pane, "runObminimise:");
  EXPECT_EQ(pane.obshellCommand, "");
  EXPECT_FALSE(std::filesystem::exists(scratch("min.sdf")));
  EXPECT_EQ(h.alerts().size(), 1u);
}

TEST_F(Obminimise, EveryAlgorithmAndForceFieldLowersTheEnergy) {
  std::string input = writeFlatMolecule(scratch("flat.sdf"));
  setText("inputFilepath", input);
  setText("steps", "20");
  struct Run {
    const char* algorithm;
    const char* forceField;
  };
  const Run runs[] = {{"--cg", "UFF"},        {"--sd", "UFF"},      {"--newton", "UFF"},
                      {"--cg", "GAFF"},       {"--sd", "Ghemical"}, {"--cg", "MMFF94"},
                      {"--newton", "MMFF94s"}};
  for (const auto& run : runs) {
    SCOPED_TRACE(std::string(run.algorithm) + " " + run.forceField);
    std::string output = scratch(std::string("min") + run.algorithm + run.forceField + ".sdf");
    setText("outputFilepath", output);
    h.choose(pane, "algorithm", run.algorithm);
    h.choose(pane, "forceField", run.forceField);
    h.press(pane, "runObminimise:");
    auto before = totalEnergies(run.forceField, input);
    auto after = totalEnergies(run.forceField, output);
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_LT(after[0], before[0] * 0.8);
  }
}

}  // namespace
}  // namespace molbench::testing
