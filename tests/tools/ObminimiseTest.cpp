// The minimisation pane: its defaults, where each control lands in the command, and real
// minimisations with each algorithm and force field.
#include <filesystem>

#include "ToolPattern.h"
#include "tools/obminimiseviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

using Obminimise = ToolPane<obminimiseviewcontroller, "obminimise">;

TEST_F(Obminimise, ASmilesInputRunsNothing) {
  setText("inputFilepath", testDataPath("small.smi"));
  setText("outputFilepath", scratch("min.sdf"));
  h.press(pane, "runObminimise:");
  // A chosen SMILES format makes any file SMILES to obabel; another makes a name not count.
  setText("inputFilepath", testDataPath("small.sdf"));
  h.choose(pane, "inputFiletype", "smiles -- SMILES");
  h.press(pane, "runObminimise:");
  EXPECT_EQ(pane.obshellCommand, "");
  EXPECT_FALSE(std::filesystem::exists(scratch("min.sdf")));
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_EQ(h.alerts()[1].messageText, "This input has no coordinates");
  useStandIn();
  setText("inputFilepath", molecules("set.smi"));
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  h.press(pane, "runObminimise:");
  EXPECT_EQ(standInArguments().at(0), "-isdf");
}

TEST_F(Obminimise, EveryAlgorithmAndForceFieldLowersTheEnergy) {
  // Acetic acid laid flat: far from any minimum, so every force field lowers its energy fast.
  std::string input = scratch("flat.sdf");
  runForOutput("/usr/bin/obabel '-:CC(=O)O acetic acid' -h --gen2D -O '" + input + "' 2>/dev/null");
  setText("inputFilepath", input);
  setText("steps", "20");
  // Each algorithm and each force field at least once.
  const std::pair<std::string, std::string> runs[] = {{"--cg", "UFF"},
                                                      {"--sd", "GAFF"},
                                                      {"--newton", "Ghemical"},
                                                      {"--cg", "MMFF94"},
                                                      {"--sd", "MMFF94s"}};
  for (const auto& [algorithm, forceField] : runs) {
    SCOPED_TRACE(algorithm + " " + forceField);
    std::string output = scratch("min" + algorithm + forceField + ".sdf");
    setText("outputFilepath", output);
    h.choose(pane, "algorithm", algorithm);
    h.choose(pane, "forceField", forceField);
    h.press(pane, "runObminimise:");
    EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel  '" + input + "' -O '" + output +
                                       "' --minimize  --steps 20 " + algorithm + " --ff " +
                                       forceField + " --crit 1e-6 --rvdw 6 --rele 10.0 --freq 10");
    auto before = totalEnergies(forceField, input);
    auto after = totalEnergies(forceField, output);
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_LT(after[0], before[0] * 0.8);
  }
}

// obabel leaves out a molecule its force field cannot type with exit 0: the file keeps the others
// and an alert says so.
TEST_F(Obminimise, AMoleculeTheForceFieldCannotTypeIsSaidAndTheOthersKept) {
  setText("inputFilepath", moleculesMmffCannotType(scratch("set.sdf")));
  setText("outputFilepath", scratch("min.sdf"));
  setText("steps", "20");
  h.press(pane, "runObminimise:");
  EXPECT_EQ(moleculeCount(scratch("min.sdf")), 2);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("lines:\nCould not setup"));
}

// A ring of five aromatic bonds, which obabel's reader cannot kekulize: it warns of it on
// reading, after the force field's line for the molecule before.
const std::string kUnkekulizable =
    "ring\n  hand-made\n\n  5  5  0  0  0  0  0  0  0  0999 V2000\n"
    "    1.2000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.3708    1.1413    0.1000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -0.9708    0.7053    0.2000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -0.9708   -0.7053    0.3000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.3708   -1.1413    0.4000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  4  0  0  0  0\n  2  3  4  0  0  0  0\n  3  4  4  0  0  0  0\n"
    "  4  5  4  0  0  0  0\n  5  1  4  0  0  0  0\nM  END\n$$$$\n";

// The alert's few error lines keep the one that says what failed, not only the later warnings.
TEST_F(Obminimise, TheLineSayingWhatFailedStaysAmongTheLinesShown) {
  std::string set = moleculesMmffCannotType(scratch("set.sdf"));
  writeFile(set, readFile(set) + kUnkekulizable + kUnkekulizable);
  setText("inputFilepath", set);
  setText("outputFilepath", scratch("min.sdf"));
  setText("steps", "20");
  h.press(pane, "runObminimise:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::HasSubstr("lines:\nCould not setup force field."));
}

}  // namespace
}  // namespace molbench::testing
