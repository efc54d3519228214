// The minimisation pane: its defaults, where each control lands in the command, and real
// minimisations with each algorithm and force field.
#include "ToolPattern.h"
#include "tools/obminimiseviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

using Obminimise = ToolPane<obminimiseviewcontroller, "obminimise">;

TEST_F(Obminimise, EveryAlgorithmAndForceFieldLowersTheEnergy) {
  // Acetic acid laid flat: far from any minimum, so every force field lowers its energy fast.
  std::string input = scratch("flat.sdf");
  runForOutput("/usr/bin/obabel '-:CC(=O)O acetic acid' -h --gen2D -O '" + input + "' 2>/dev/null");
  setText("inputFilepath", input);
  setText("steps", "20");
  struct Run {
    const char* algorithm;
    const char* forceField;
  };
  // Each algorithm and each force field at least once.
  const Run runs[] = {{"--cg", "UFF"},
                      {"--sd", "GAFF"},
                      {"--newton", "Ghemical"},
                      {"--cg", "MMFF94"},
                      {"--sd", "MMFF94s"}};
  for (const auto& run : runs) {
    SCOPED_TRACE(std::string(run.algorithm) + " " + run.forceField);
    std::string output = scratch(std::string("min") + run.algorithm + run.forceField + ".sdf");
    setText("outputFilepath", output);
    h.choose(pane, "algorithm", run.algorithm);
    h.choose(pane, "forceField", run.forceField);
    h.press(pane, "runObminimise:");
    EXPECT_THAT(pane.obshellCommand,
                ::testing::HasSubstr(std::string(run.algorithm) + " --ff " + run.forceField));
    auto before = totalEnergies(run.forceField, input);
    auto after = totalEnergies(run.forceField, output);
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_LT(after[0], before[0] * 0.8);
  }
}

}  // namespace
}  // namespace molbench::testing
