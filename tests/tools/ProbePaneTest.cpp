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

// obprobe takes any text for the type and the charge and writes a grid for no probe
// ("ethanol__0.000000.cube"); in a folder that takes no file it says it "cannot read input
// file!". Each is refused before it runs, naming what to mend; an MMFF94 type with a decimal
// charge runs.
TEST_F(ProbePane, ATypeOrChargeObprobeCannotUseOrAGridFolderThatTakesNoFileIsRefused) {
  struct Row {
    std::string type, charge;
    bool locked;  // the input's folder takes no new file (chattr +i, which binds root too)
    std::string title, says;
  };
  const Row rows[] = {
      {"", "", false, "Mend the probe", "The atom type \"\""},
      {"foo", "-0.57", false, "Mend the probe", "The atom type \"foo\""},
      {"7.5", "-0.57", false, "Mend the probe", "The atom type \"7.5\""},
      {"0", "-0.57", false, "Mend the probe", "The atom type \"0\""},
      {"7", "", false, "Mend the probe", "The partial charge \"\""},
      {"7", "abc", false, "Mend the probe", "The partial charge \"abc\""},
      {"7", "-0.5x", false, "Mend the probe", "The partial charge \"-0.5x\""},
      {"7", "1e400", false, "Mend the probe", "The partial charge \"1e400\""},
      {"7", "-0.57", true, "The grid file cannot be written", "ethanol_7_-0.570000.cube"},
      {"21", ".4", false, "", ""},
  };
  std::string folder = scratch("set");
  std::filesystem::create_directories(folder);
  std::string input = folder + "/ethanol.sdf";
  ASSERT_EQ(obabelCount({testDataPath("small.sdf"), "-l", "1", "-O", input}), 1);
  setText("steps", "3");
  setText("padding", "1");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.type + " " + row.charge);
    size_t before = h.alerts().size();
    if (row.locked && runForOutput("chattr +i '" + folder + "' 2>/dev/null && echo ok") != "ok\n")
      continue;  // no such lock here: the case is untested
    probe(row.type, row.charge, input);
    if (row.locked) runForOutput("chattr -i '" + folder + "'");
    size_t grids = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      grids += entry.path().extension() == ".cube";
    if (row.title.empty()) {
      EXPECT_EQ(h.alerts().size(), before);
      EXPECT_TRUE(fileExists(folder + "/ethanol_21_0.400000.cube"));
      continue;
    }
    EXPECT_EQ(grids, 0u);
    EXPECT_EQ(h.alerts().size(), before + 1);
    if (h.alerts().size() != before + 1) continue;
    EXPECT_EQ(h.alerts().back().messageText, row.title);
    EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr(row.says));
  }
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
