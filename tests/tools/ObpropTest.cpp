// The properties pane: obprop's real report of each molecule lands in the report file.
#include <gmock/gmock.h>

#include "CalculationTestSupport.h"
#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obpropviewcontroller.h"

namespace molbench::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Obprop, ToolPattern,
                         ::testing::Values(ToolPaneCase{
                             .identifier = "obprop",
                             .run = "runObprop:",
                             .program = "obprop",
                             .defaultOutput = "/obprop.txt",
                             .inputExtensions = kStructureExtensions,
                             .outputExtensions = std::vector<std::string>{"txt"}}),
                         caseName);

class Obprop : public PaneTest<obpropviewcontroller> {
 protected:
  Obprop() : PaneTest("obprop") {}
};

TEST_F(Obprop, TheRealReportOfEachMoleculeReplacesTheFile) {
  std::string output = scratch("props.txt");
  std::string input = testDataPath("small.smi");
  setText("inputFilepath", input);
  setText("outputFilepath", output);
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");  // has no say
  h.press(pane, "runObprop:");
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obprop  '" + input + "' > '" + output + "'");
  auto reports = propertyReports(readFile(output));
  ASSERT_EQ(reports.size(), 10u);
  EXPECT_EQ(reports[0]["name"], "ethanol");
  EXPECT_EQ(reports[0]["formula"], "C2H6O");
  EXPECT_NEAR(std::stod(reports[0]["mol_weight"]), 46.068, 0.01);
  EXPECT_EQ(reports[2]["name"], "benzene");
  EXPECT_EQ(reports[2]["num_rings"], "1");

  setText("inputFilepath", testDataPath("cdk2-12.sdf"));
  h.press(pane, "runObprop:");
  EXPECT_EQ(propertyReports(readFile(output)).size(), 12u);
}

}  // namespace
}  // namespace molbench::testing
