// The properties pane: obprop's real report of each molecule lands in the report file.
#include "ToolPattern.h"
#include "common/ShellQuote.h"
#include "tools/obpropviewcontroller.h"

namespace molbench::testing {
namespace {

using Obprop = ToolPane<obpropviewcontroller, "obprop">;

TEST_F(Obprop, TheRealReportOfEachMoleculeReplacesTheFile) {
  std::string output = scratch("props.txt");
  std::string input = testDataPath("small.smi");
  setText("inputFilepath", input);
  setText("outputFilepath", output);
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");  // has no say
  h.press(pane, "runObprop:");
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obprop  " + quotedPath(input) + " > '" + output + "'");
  // One block of "name value" lines per molecule, each closed by "$$$$".
  std::string report = readFile(output);
  EXPECT_EQ(std::count(report.begin(), report.end(), '$'), 40);
  EXPECT_THAT(report, ::testing::StartsWith("name             ethanol\nformula          C2H6O\n"));
  EXPECT_THAT(report, ::testing::ContainsRegex("mol_weight +46\\.068"));
  EXPECT_THAT(report, ::testing::ContainsRegex("name +benzene\n[^$]*num_rings +1\n"));
  setText("inputFilepath", testDataPath("cdk2-12.sdf"));
  h.press(pane, "runObprop:");
  report = readFile(output);
  EXPECT_EQ(std::count(report.begin(), report.end(), '$'), 48);
}

}  // namespace
}  // namespace molbench::testing
