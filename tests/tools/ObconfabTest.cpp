// The Confab conformer pane: seeds, the command, typed values as single arguments, a real run.
#include "ToolPattern.h"
#include "tools/obconfabviewcontroller.h"

namespace molbench::testing {
namespace {

using Obconfab = ToolPane<obconfabviewcontroller, "obconfab">;

TEST_F(Obconfab, SeededFieldsAndTheCheckboxReadAtEveryRun) {
  EXPECT_EQ(obconfabCommand({"/usr/bin/obabel", "", "/d/x.sdf", "/d/obconfab.sdf", "100000000",
                             "0.5", "50", ""}),
            "/usr/bin/obabel  '/d/x.sdf' -O '/d/obconfab.sdf' --gen3D --confab --conf 100000000 "
            "--rcutoff 0.5 --ecutoff 50 ");
  // A file that mixes 3D and flat molecules gets coordinates made for the flat stretches only.
  CoordinatesToMake mixed({{.first = 1, .last = 2, .flat = false}, {.first = 3, .flat = true}});
  EXPECT_EQ(obconfabCommand(
                {"obabel", "-isdf", "/d/x", "/d/o.sdf", "9", "0.5", "50", " --original  ", mixed}),
            "set -o pipefail; { obabel -isdf '/d/x' -f 1 -l 2 -osdf && obabel -isdf '/d/x' -f 3 "
            "-osdf --gen3D; } | obabel -isdf - -O '/d/o.sdf' --confab --conf 9 --rcutoff 0.5 "
            "--ecutoff 50  --original  ");
  EXPECT_EQ(text("numconfs") + " " + text("rcutoff") + " " + text("ecutoff"), "100000000 0.5 50");
  useStandIn();
  setText("inputFilepath", molecules("x.sdf"));
  setText("outputFilepath", scratch("o.sdf"));
  setText("numconfs", "7");
  turnOn("incInputstructure");
  h.press(pane, "runobConfab:");
  ASSERT_FALSE(standInArguments().empty());
  EXPECT_EQ(standInArguments().back(), "--original");
  turnOn("incInputstructure", false);
  h.press(pane, "runobConfab:");
  EXPECT_EQ(standInArguments().back(), "50");
  EXPECT_EQ(pane.numConfs, "100000000");
}

TEST_F(Obconfab, RealRunHonoursTheConformerCount) {
  std::string input = threeDMolecule("CCCCCC", scratch("hexane.sdf"));
  setText("inputFilepath", input);
  for (const char* count : {"100000", "3"}) {
    setText("outputFilepath", scratch(std::string("conformers") + count + ".sdf"));
    setText("numconfs", count);
    h.press(pane, "runobConfab:");
  }
  // A 3D input keeps its own coordinates: one run, which a second would rebuild.
  EXPECT_THAT(pane.obshellCommand, ::testing::Not(::testing::HasSubstr("|")));
  int many = moleculeCount(scratch("conformers100000.sdf"));
  int few = moleculeCount(scratch("conformers3.sdf"));
  EXPECT_GE(few, 1);
  EXPECT_LE(few, 3);
  EXPECT_GT(many, few);
  EXPECT_LE(many, 10);
  // Confab writes its conformers itself, and obabel's summary counts none of them.
  EXPECT_TRUE(h.alerts().empty());
  EXPECT_TRUE(hasThreeDCoordinates(scratch("conformers3.sdf")));
}

// Confab turns the torsions of the coordinates it reads: a 2D drawing's gave conformers some
// 2000 kcal/mol above the minimum, so flat input gets 3D coordinates in a first run.
TEST_F(Obconfab, SearchesFromThreeDCoordinatesMadeForFlatInput) {
  writeFile(scratch("hexanol.smi"), "CCCCCCO hexanol\n");
  obabelCount({scratch("hexanol.smi"), "--gen2D", "-O", scratch("2d.sdf")});
  setText("inputFilepath", scratch("2d.sdf"));
  setText("outputFilepath", scratch("out.sdf"));
  h.press(pane, "runobConfab:");
  auto energies = totalEnergies("MMFF94", scratch("out.sdf"));
  EXPECT_GT(energies.size(), 1u);
  EXPECT_THAT(energies, ::testing::Each(::testing::Lt(100)));
  EXPECT_TRUE(h.alerts().empty());
}

}  // namespace
}  // namespace molbench::testing
