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
  // Open Babel applies its operations in name order, so Confab runs before --gen3D: it needs
  // 3D input to start from.
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

}  // namespace
}  // namespace molbench::testing
