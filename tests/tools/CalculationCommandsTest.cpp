// The exact command texts of the calculation panes for ordinary input, where the pane tests do
// not read them whole: the blanks between pieces are part of each text.
#include <gtest/gtest.h>

#include "tools/obenergyviewcontroller.h"
#include "tools/obminimiseviewcontroller.h"

namespace molbench::testing {
namespace {

TEST(CalculationCommands, MinimisationAndSavedEnergyWorkedExamples) {
  EXPECT_EQ(obminimiseCommand({.head = "/opt/ob/bin/obabel",
                               .inputPath = "/data/set.sdf",
                               .outputPath = "/data/obminimise.sdf",
                               .steps = "2500",
                               .algorithmTitle = "--cg",
                               .forceFieldTitle = "MMFF94",
                               .convergence = "1e-6",
                               .vdwCutoff = "6",
                               .electrostaticCutoff = "10.0",
                               .nonBondedUpdateFrequency = "10"}),
            "/opt/ob/bin/obabel  '/data/set.sdf' -O '/data/obminimise.sdf' --minimize  --steps "
            "2500 --cg --ff MMFF94 --crit 1e-6 --rvdw 6 --rele 10.0 --freq 10");
  EXPECT_EQ(
      obenergySaveCommand("/opt/ob/bin/obabel", "", "/data/set.sdf", "/data/obenergy.txt", "UFF"),
      "/opt/ob/bin/obabel  '/data/set.sdf' -otxt --energy --append \"Energy\" -O "
      "'/data/obenergy.txt' --ff UFF");
}

}  // namespace
}  // namespace molbench::testing
