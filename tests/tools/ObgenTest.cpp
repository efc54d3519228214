// The 3D coordinate pane: its command, its speed popup, and real runs of obabel.
#include <gmock/gmock.h>

#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Obgen, ToolPattern,
                         ::testing::Values(ToolPaneCase{.identifier = "obgen",
                                                        .run = "runObgen:",
                                                        .defaultOutput = "/obgen3D.sdf",
                                                        .inputExtensions = kStructureExtensions}),
                         caseName);

class Obgen : public PaneTest<obgenviewcontroller> {
 protected:
  Obgen() : PaneTest("obgen") {}
};

TEST_F(Obgen, CommandCarriesTheSpeedAsTheValueOfGen3D) {
  EXPECT_EQ(obgenCommand({"/opt/bin/obabel", "", "/data/x.sdf", "/data/obgen3D.sdf", "--medium"}),
            "/opt/bin/obabel  '/data/x.sdf' -O '/data/obgen3D.sdf' --gen3D medium");
  EXPECT_EQ(obgenCommand({"ob", "", "/it's.sdf", "/o.sdf", "--best"}),
            "ob  '/it'\\''s.sdf' -O '/o.sdf' --gen3D best");
}

TEST_F(Obgen, PopupsStartAtChooseAndMediumAndOnlyTheSpeedReachesTheCommand) {
  EXPECT_EQ(h.popup(pane, "inputFiletype").itemTitles(), kToolInputFormats);
  EXPECT_EQ(h.popup(pane, "inputFiletype").titleOfSelectedItem(), "Choose");
  EXPECT_EQ(h.popup(pane, "performance").itemTitles(),
            (Titles{"--fastest", "--fast", "--medium", "--better", "--best"}));
  setText("inputFilepath", "/data/x.sdf");
  setText("outputFilepath", scratch("out.sdf"));
  h.defaults().remove("pathToobabel");
  h.press(pane, "runObgen:");
  EXPECT_EQ(pane.obshellCommand,
            "Need obabel Path  '/data/x.sdf' -O '" + scratch("out.sdf") + "' --gen3D medium");
  EXPECT_EQ(pane.obabelPath, "Need obabel Path");
  EXPECT_EQ(h.diagnostics().back(), pane.obshellCommand);

  h.choose(pane, "inputFiletype", "smi -- SMILES");
  h.choose(pane, "performance", "--better");
  h.press(pane, "runObgen:");
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith(" --gen3D better"));
}

TEST_F(Obgen, RealRunsGiveThreeDimensionalMoleculesAtTheSlowerSpeeds) {
  std::string input = scratch("two.smi");
  writeFile(input, "CCO ethanol\nCC(=O)N acetamide\n");
  setText("inputFilepath", input);
  for (const char* speed : {"--fastest", "--medium", "--better", "--best"}) {
    SCOPED_TRACE(speed);
    std::string output = scratch(std::string("out") + speed + ".sdf");
    setText("outputFilepath", output);
    h.choose(pane, "performance", speed);
    h.press(pane, "runObgen:");
    EXPECT_EQ(moleculeCount(output), 2);
    // Open Babel 3.1.1 leaves the molecules flat at "fastest" and "fast".
    EXPECT_EQ(hasThreeDCoordinates(output), std::string(speed) != "--fastest");
  }
}

}  // namespace
}  // namespace molbench::testing
