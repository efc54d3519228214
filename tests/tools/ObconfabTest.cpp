// The Confab conformer pane: seeds, the command, typed values as single arguments, real runs.
#include <gmock/gmock.h>

#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obconfabviewcontroller.h"

namespace molbench::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Obconfab, ToolPattern,
                         ::testing::Values(ToolPaneCase{
                             .identifier = "obconfab",
                             .run = "runobConfab:",
                             .defaultOutput = "/obconfab.sdf",
                             .inputExtensions = kStructureExtensions,
                             .outputExtensions = std::vector<std::string>{"sd", "sdf"}}),
                         caseName);

class Obconfab : public PaneTest<obconfabviewcontroller> {
 protected:
  Obconfab() : PaneTest("obconfab") {}
};

TEST_F(Obconfab, CommandFromTheSeededFieldsAndTheCheckboxReadAtEveryRun) {
  EXPECT_EQ(obconfabCommand({"/usr/bin/obabel", "", "/d/x.sdf", "/d/obconfab.sdf", "100000000",
                             "0.5", "50", ""}),
            "/usr/bin/obabel  '/d/x.sdf' -O '/d/obconfab.sdf' --gen3D --confab --conf 100000000 "
            "--rcutoff 0.5 --ecutoff 50 ");
  EXPECT_EQ(obconfabCommand({"ob", "", "/i", "/o", "5", "1", "", " --original  "}),
            "ob  '/i' -O '/o' --gen3D --confab --conf 5 --rcutoff 1 --ecutoff ''  --original  ");

  useStandIn();
  EXPECT_EQ(text("numconfs"), "100000000");
  EXPECT_EQ(text("rcutoff"), "0.5");
  EXPECT_EQ(text("ecutoff"), "50");
  EXPECT_EQ(h.popup(pane, "inputFiletype").titleOfSelectedItem(), "Choose");
  setText("inputFilepath", "/d/x.sdf");
  setText("outputFilepath", scratch("o.sdf"));
  setText("numconfs", "7");
  turnOn("incInputstructure");
  h.press(pane, "runobConfab:");
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith("--ecutoff 50  --original  "));
  turnOn("incInputstructure", false);
  h.press(pane, "runobConfab:");
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith("--conf 7 --rcutoff 0.5 --ecutoff 50 "));
  EXPECT_EQ(pane.numConfs, "100000000");
}

TEST_F(Obconfab, TypedValuesArriveAsSingleArguments) {
  useStandIn();
  setText("inputFilepath", scratch("in.sdf"));
  setText("outputFilepath", scratch("out.sdf"));
  setText("numconfs", "-5 6");
  setText("rcutoff", "$(touch pwned)");
  setText("ecutoff", "");
  h.press(pane, "runobConfab:");
  EXPECT_THAT(
      standInArguments(),
      ::testing::ElementsAre(scratch("in.sdf"), "-O", scratch("out.sdf"), "--gen3D", "--confab",
                             "--conf", "-5 6", "--rcutoff", "$(touch pwned)", "--ecutoff", ""));
}

TEST_F(Obconfab, RealRunHonoursTheConformerCount) {
  // Open Babel applies its operations in name order, so Confab runs before --gen3D: it needs
  // 3D input to start from.
  std::string input = scratch("hexane.sdf");
  runForOutput("/usr/bin/obabel -:CCCCCC -O '" + input + "' --gen3D 2>/dev/null");
  setText("inputFilepath", input);
  const std::pair<const char*, int> counts[] = {{"100000", 10}, {"3", 3}};
  for (const auto& [count, most] : counts) {
    std::string output = scratch(std::string("conformers") + count + ".sdf");
    setText("outputFilepath", output);
    setText("numconfs", count);
    h.press(pane, "runobConfab:");
    EXPECT_GE(moleculeCount(output), 1) << count;
    EXPECT_LE(moleculeCount(output), most) << count;
    EXPECT_TRUE(hasThreeDCoordinates(output));
  }
  EXPECT_GT(moleculeCount(scratch("conformers100000.sdf")),
            moleculeCount(scratch("conformers3.sdf")));
}

}  // namespace
}  // namespace molbench::testing
