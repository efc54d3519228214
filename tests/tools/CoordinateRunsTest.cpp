// The tool panes that make 3D coordinates make them only where they are missing, and say, in
// obabel's words, what their runs left undone.
#include "ToolPattern.h"
#include "tools/FlatMolecules.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kNci = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";  // flat, 2D
const std::string kChloride =
    "chloride\n OpenBabel12082600153D\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    0.0000    0.0000 Cl  0  5  0  0  0  0  0  0  0  0  0  0\n"
    "M  CHG  1   1  -1\nM  END\n$$$$\n";

class CoordinateRuns : public ToolPattern {
 protected:
  void run(const std::string& input, const std::string& output) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.press(pane, GetParam().run);
  }
  // A file of the 3D molecules with a flat one, read from SMILES, after each but the last.
  std::string mixedFile(const std::vector<std::string>& threeD) {
    obabelCount({"-:CCO flat", "-O", scratch("flat.sdf")});
    std::string mixed;
    for (const auto& path : threeD)
      mixed += (mixed.empty() ? "" : readFile(scratch("flat.sdf"))) + readFile(path);
    writeFile(scratch("mixed.sdf"), mixed);
    return scratch("mixed.sdf");
  }
};

// --gen3D rebuilds every molecule it gets: only the flat molecules get coordinates made, and
// the user's own 3D ones (rigid, so the genetic search keeps them; Confab writes them as the
// input structure) come out as they went in, in the file's order.
TEST_P(CoordinateRuns, AFileMixingThreeDAndFlatMoleculesKeepsTheUsersCoordinates) {
  if (GetParam().identifier == "obgen") GTEST_SKIP() << "obgen makes coordinates for every one";
  std::string phenol = threeDMolecule("c1ccccc1O", scratch("phenol.sdf"));
  std::string piperidine = threeDMolecule("C1CCNCC1", scratch("piperidine.sdf"));
  if (GetParam().identifier == "obconfab") h.button(pane, "incInputstructure").setOn(true);
  run(mixedFile({phenol, piperidine}), scratch("out.sdf"));
  std::string out = readFile(scratch("out.sdf"));
  auto firstAtom = [&](const std::string& sd) { return out.find(runForOutput("sed -n 5p " + sd)); };
  std::vector<size_t> order = {firstAtom(phenol), out.find("flat"), firstAtom(piperidine)};
  EXPECT_TRUE(std::ranges::is_sorted(order) && order.back() != std::string::npos) << out;
  EXPECT_TRUE(hasThreeDCoordinates(scratch("out.sdf")));
}

// A chloride ion at the origin of a 3D file is as 3D as one atom can be: no run makes
// coordinates, and it stays where the file has it (--gen3D would move it off the origin).
// Water read from SMILES is one atom too, with two hydrogens to place.
TEST_P(CoordinateRuns, AnIonAtTheOriginOfAThreeDFileKeepsItsPlace) {
  if (GetParam().identifier == "obgen") GTEST_SKIP() << "obgen makes coordinates for every one";
  std::string phenol = threeDMolecule("c1ccccc1O", scratch("phenol.sdf"));
  writeFile(scratch("salt.sdf"), readFile(phenol) + kChloride + readFile(phenol));
  run(scratch("salt.sdf"), scratch("out.sdf"));
  ASSERT_FALSE(h.diagnostics().empty());
  EXPECT_THAT(h.diagnostics().back(), Not(HasSubstr("|")));  // one run, on the file itself
  EXPECT_THAT(readFile(scratch("out.sdf")), HasSubstr("\n    0.0000    0.0000    0.0000 Cl "));
  writeFile(scratch("water.smi"), "O water\n");
  run(scratch("water.smi"), scratch("water.sdf"));
  EXPECT_TRUE(hasThreeDCoordinates(scratch("water.sdf"))) << readFile(scratch("water.sdf"));
  EXPECT_TRUE(h.alerts().empty()) << h.alerts().front().informativeText;
}

// One obabel run for each stretch of 3D or flat molecules: past the most one command holds, the
// run is refused with how to go on, and nothing is written.
TEST_P(CoordinateRuns, AFileThatAlternatesTooOftenIsRefusedWithTheWayOn) {
  if (GetParam().identifier == "obgen") GTEST_SKIP() << "obgen makes coordinates for every one";
  std::string methane = threeDMolecule("C", scratch("methane.sdf"));
  run(mixedFile(std::vector(kMostMoleculeStretches / 2 + 1, methane)), scratch("out.sdf"));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("in two files"));
  EXPECT_FALSE(fileExists(scratch("out.sdf")));
}

// Read from Mol2, NCI's fourth molecule gets no coordinates: obabel says so, writes it flat and
// exits 0. Its SMILES is the same as without the failed try, and is not said.
TEST_P(CoordinateRuns, AMoleculeLeftWithoutCoordinatesIsSaidAndTheFileKept) {
  obabelCount({kNci, "-f", "3", "-l", "4", "-O", scratch("nci.mol2")});
  run(scratch("nci.mol2"), scratch("out.sdf"));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obabel left molecules without 3D coordinates");
  EXPECT_THAT(h.alerts()[0].informativeText,
              AllOf(HasSubstr("3D coordinate generation failed"), HasSubstr(scratch("out.sdf"))));
  EXPECT_GE(moleculeCount(scratch("out.sdf")), 2);
  run(scratch("nci.mol2"), scratch("out.smi"));
  EXPECT_EQ(h.alerts().size(), 1u) << h.alerts().back().informativeText;
  EXPECT_GE(moleculeCount(scratch("out.smi")), 2);
}

// obabel that cannot write its output exits 0 before it reads; the first run then dies of the
// broken pipe, no crash of its own.
TEST_P(CoordinateRuns, ASecondRunThatCannotWriteIsNamedWithItsOwnError) {
  if (GetParam().identifier == "obgen") GTEST_SKIP() << "obgen runs obabel once";
  std::string output = scratch(std::string(300, 'x') + ".sdf");  // too long for a file name
  run(kNci, output);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "The second obabel run failed");
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("Cannot write to " + output));
}

INSTANTIATE_TEST_SUITE_P(
    Tools, CoordinateRuns,
    ::testing::Values(ToolPaneCase{.identifier = "obgen", .run = "runObgen:"},
                      ToolPaneCase{.identifier = "obconfab", .run = "runobConfab:"},
                      ToolPaneCase{.identifier = "obconformer", .run = "runObconformer:"}),
    caseName);

}  // namespace
}  // namespace molbench::testing
