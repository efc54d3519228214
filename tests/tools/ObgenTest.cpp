// The 3D coordinate pane: its command, its speed popup, and a real run of obabel.
#include "ToolPattern.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

using Obgen = ToolPane<obgenviewcontroller, "obgen">;

TEST_F(Obgen, TheSpeedIsTheValueOfGen3DWithoutItsDashes) {
  EXPECT_EQ(h.popup(pane, "inputFiletype").itemTitles(), kToolInputFormats);
  EXPECT_EQ(h.popup(pane, "performance").itemTitles(),
            (Titles{"--fastest", "--fast", "--medium", "--better", "--best"}));
  EXPECT_EQ(h.popup(pane, "performance").titleOfSelectedItem(), "--medium");
  EXPECT_EQ(obgenCommand({"/opt/bin/obabel", "", "/data/x.sdf", "/data/obgen3D.sdf", "--medium"}),
            "/opt/bin/obabel  '/data/x.sdf' -O '/data/obgen3D.sdf' --gen3D medium");
  setText("inputFilepath", "/data/x.sdf");
  setText("outputFilepath", scratch("out.sdf"));
  h.choose(pane, "inputFiletype", "smi -- SMILES");
  h.choose(pane, "performance", "--better");
  h.press(pane, "runObgen:");
  EXPECT_THAT(pane.obshellCommand,
              ::testing::EndsWith("'/data/x.sdf' -O '" + scratch("out.sdf") + "' --gen3D better"));
}

TEST_F(Obgen, RealRunGivesThreeDimensionalMolecules) {
  std::string input = scratch("two.smi");
  writeFile(input, "CCO ethanol\nCC(=O)N acetamide\n");
  setText("inputFilepath", input);
  setText("outputFilepath", scratch("out.sdf"));
  h.choose(pane, "performance", "--best");
  h.press(pane, "runObgen:");
  EXPECT_EQ(moleculeCount(scratch("out.sdf")), 2);
  EXPECT_TRUE(hasThreeDCoordinates(scratch("out.sdf")));
}

}  // namespace
}  // namespace molbench::testing
