// The Confab conformer pane: seeds, the command, typed values as single arguments, a real run.
#include "ToolPattern.h"
#include "common/ShellQuote.h"
#include "tools/obconfabviewcontroller.h"

namespace molbench::testing {
namespace {

using Obconfab = ToolPane<obconfabviewcontroller, "obconfab">;

TEST_F(Obconfab, SeededFieldsAndTheCheckboxReadAtEveryRun) {
  EXPECT_EQ(obconfabCommand({"/usr/bin/obabel", "", "/d/x.sdf", "/d/obconfab.sdf", "100000000",
                             "0.5", "50", ""}),
            "/usr/bin/obabel  '/d/x.sdf' -O '/d/obconfab.sdf' --gen3D --confab --conf 100000000 "
            "--rcutoff 0.5 --ecutoff 50 ");
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
  // A 3D input, which Confab starts from as it is.
  std::string input = threeDMolecule("CCCCCC", scratch("hexane.sdf"));
  setText("inputFilepath", input);
  for (const char* count : {"100000", "3"}) {
    setText("outputFilepath", scratch(std::string("conformers") + count + ".sdf"));
    setText("numconfs", count);
    h.press(pane, "runobConfab:");
  }
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

// Confab turns torsions of the coordinates it reads. A SMILES has none (one flat molecule came
// out) and a 2D drawing the wrong ones (conformers some 2000 kcal/mol above the minimum), so
// these get 3D coordinates in a first run. A 3D input is searched as it always was.
TEST_F(Obconfab, SearchesFromThreeDCoordinatesWhateverTheInputHolds) {
  writeFile(scratch("hexanol.smi"), "CCCCCCO hexanol\n");
  runForOutput(std::string(kObabel) + " " + quotedPath(scratch("hexanol.smi")) + " -O " +
               quotedPath(scratch("2d.sdf")) + " --gen2D 2>&1");
  threeDMolecule("CCCCCCO", scratch("3d.sdf"));
  const std::string tail =
      " -O '" + scratch("out.sdf") + "' --confab --conf 100000000 --rcutoff 0.5 --ecutoff 50 ";
  auto xyz = [](const std::string& path) {
    return runForOutput(std::string(kObabel) + " " + quotedPath(path) + " -oxyz 2>/dev/null");
  };
  for (std::string name : {"hexanol.smi", "2d.sdf", "3d.sdf"}) {
    SCOPED_TRACE(name);
    std::string input = scratch(name), reading = std::string(kObabel) + "  '" + input + "'";
    setText("inputFilepath", input);
    setText("outputFilepath", scratch("out.sdf"));
    h.press(pane, "runobConfab:");
    if (name == "3d.sdf") {
      EXPECT_EQ(pane.obshellCommand, reading + " -O '" + scratch("out.sdf") +
                                         "' --gen3D --confab --conf 100000000 --rcutoff 0.5 "
                                         "--ecutoff 50 ");
      runForOutput("cd " + quotedPath(temp()) + " && " + kObabel +
                   " 3d.sdf -O bare.sdf --confab --conf 100000000 --rcutoff 0.5 --ecutoff 50 2>&1");
      EXPECT_EQ(xyz(scratch("out.sdf")), xyz(scratch("bare.sdf")));
      continue;
    }
    EXPECT_EQ(pane.obshellCommand,
              "set -o pipefail; " + reading + " -osdf --gen3D | " + kObabel + " -isdf -" + tail);
    auto energies = totalEnergies("MMFF94", scratch("out.sdf"));
    EXPECT_GT(energies.size(), 1u);
    EXPECT_THAT(energies, ::testing::Each(::testing::Lt(100)));
  }
  EXPECT_TRUE(h.alerts().empty());
}

}  // namespace
}  // namespace molbench::testing
