// The 3D coordinate pane: its speed popup and a real run of obabel.
#include "ToolPattern.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

using Obgen = ToolPane<obgenviewcontroller, "obgen">;

TEST_F(Obgen, RealRunGivesThreeDimensionalMoleculesWithTheSpeedWithoutItsDashes) {
  EXPECT_EQ(h.popup(pane, "inputFiletype").itemTitles(), kToolInputFormats);
  EXPECT_EQ(h.popup(pane, "performance").itemTitles(),
            (Titles{"--fastest", "--fast", "--medium", "--better", "--best"}));
  EXPECT_EQ(h.popup(pane, "performance").titleOfSelectedItem(), "--medium");
  std::string input = scratch("two.smi"), output = scratch("out.sdf");
  writeFile(input, "CCO ethanol\nCC(=O)N acetamide\n");
  setText("inputFilepath", input);
  setText("outputFilepath", output);
  h.choose(pane, "performance", "--best");
  h.press(pane, "runObgen:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obabel  '" + input + "' -O '" + output + "' --gen3D best");
  EXPECT_EQ(moleculeCount(output), 2);
  EXPECT_TRUE(hasThreeDCoordinates(output));
  // A chosen format reaches obabel in the slot after its path.
  h.choose(pane, "inputFiletype", "smi -- SMILES");
  h.press(pane, "runObgen:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obabel -ismi '" + input + "' -O '" + output + "' --gen3D best");
  EXPECT_EQ(moleculeCount(output), 2);
  EXPECT_TRUE(h.alerts().empty());
}

}  // namespace
}  // namespace molbench::testing
