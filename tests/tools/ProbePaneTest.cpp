// The probe-grid pane: its command with obprobe's options first, what bash hands the program,
// a real grid next to the input, the reference list and the help document.
#include <filesystem>

#include "ToolPattern.h"
#include "tools/obprobeviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class ProbePane : public ToolPane<obprobeviewcontroller, "obprobe"> {
 protected:
  void probe(const std::string& type, const std::string& charge, const std::string& input) {
    setText("atomType", type);
    setText("partialCharge", charge);
    setText("inputFilepath", input);
    h.press(pane, "runObprobe:");
  }
};

TEST_F(ProbePane, OptionsComeBeforeTypeChargeAndFileAndArriveWhole) {
  useStandIn();
  standInSibling("obprobe");
  std::string input = molecules("in.sdf"), program = scratch("bin/obprobe");
  probe("7", "-0.57", input);
  EXPECT_EQ(pane.obshellCommand, program + " 7 -0.57 '" + input + "'");
  setText("steps", "0.5");
  setText("padding", "3");
  probe("7", "-0.57", input);
  EXPECT_EQ(pane.obshellCommand, program + " -s 0.5 -p 3 7 -0.57 '" + input + "'");
}

TEST_F(ProbePane, RealGridIsWrittenNextToTheInput) {
  std::string input = scratch("ethanol.sdf");
  ASSERT_EQ(obabelCount({testDataPath("small.sdf"), "-l", "1", "-O", input}), 1);
  setText("steps", "3");
  setText("padding", "1");
  probe("7", "-0.57", input);
  std::string cube = readFile(scratch("ethanol_7_-0.570000.cube"));
  // A cube file: the molecule's title, the grid, its three atoms, then the probe energies.
  EXPECT_THAT(cube, ::testing::StartsWith("ethanol\n"));
  EXPECT_THAT(cube, ::testing::ContainsRegex("\n    8    8\\.000000 .*\n.*E\\+"));
}

TEST_F(ProbePane, ASmilesInputWritesNoGrid) {
  std::string input = scratch("ethanol.smi");
  writeFile(input, "CCO ethanol\n");
  probe("7", "-0.57", input);
  EXPECT_EQ(pane.obshellCommand, "");
  EXPECT_EQ(h.alerts().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(scratch("ethanol_7_-0.570000.cube")));
}

TEST_F(ProbePane, ReferenceListNamesTypesOneAnd37CarbonsAndLinksItsDocument) {
  auto rows = h.popup(pane, "mmffAtomtypes").itemTitles();
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[1], "1    0.00    alkyl carbon");
  EXPECT_EQ(rows[9], "37    0.00    phenyl carbon (hydrophobic)");
  h.press(pane, "linkToMMFF:");
  EXPECT_THAT(h.opened(), ElementsAre("https://www.ccl.net/cca/data/MMFF94/"));
}

}  // namespace
}  // namespace molbench::testing
