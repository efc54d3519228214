// The torsion rotation pane: obrotate beside obabel, the SMARTS first, the atoms as separate
// arguments, and a real rotation of butane.
#include <array>
#include <cmath>
#include <sstream>

#include "ToolPattern.h"
#include "tools/obrotateviewcontroller.h"

namespace molbench::testing {
namespace {

using Obrotate = ToolPane<obrotateviewcontroller, "obrotate">;

// The torsion of the first four atoms of the first molecule of an SD file, in degrees.
double firstTorsion(const std::string& sdf) {
  using P = std::array<double, 3>;
  auto minus = [](P a, P b) { return P{a[0] - b[0], a[1] - b[1], a[2] - b[2]}; };
  auto cross = [](P a, P b) {
    return P{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  };
  auto dot = [](P a, P b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
  std::istringstream in(sdf);
  std::string line;
  for (int i = 0; i < 4; ++i) std::getline(in, line);
  std::array<P, 4> p{};
  for (auto& point : p) std::getline(in >> point[0] >> point[1] >> point[2], line);
  P b1 = minus(p[1], p[0]), b2 = minus(p[2], p[1]), b3 = minus(p[3], p[2]);
  P n2 = cross(b2, b3);
  return std::atan2(std::sqrt(dot(b2, b2)) * dot(b1, n2), dot(cross(b1, b2), n2)) * 180 / M_PI;
}

TEST_F(Obrotate, CommandPutsTheQuotedSmartsFirst) {
  EXPECT_EQ(obrotateCommand({"/usr/local/bin/obrotate", "C-C", "", "/data/in.sdf", "1 2 3 4", "60",
                             "/data/obrotate.sdf"}),
            "/usr/local/bin/obrotate 'C-C'  '/data/in.sdf' 1 2 3 4 60 > '/data/obrotate.sdf'");
  EXPECT_EQ(obrotateCommand({"p", "", "", "/i", "", "", "/o"}), "p ''  '/i'   > '/o'");
}

TEST_F(Obrotate, RealRunSetsTheTorsion) {
  std::string input = threeDMolecule("CCCC", scratch("butane.sdf"));
  setText("inputFilepath", input);
  setText("outputFilepath", scratch("rotated.sdf"));
  setText("smartsDihedral", "CCCC");
  setText("atomsDihedral", "1 2 3 4");
  setText("angleDihedral", "100");
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  h.press(pane, "runObroate:");
  EXPECT_EQ(moleculeCount(scratch("rotated.sdf")), 1);
  // The sign of the angle depends on the direction of view; the size is what was asked.
  EXPECT_NEAR(std::abs(firstTorsion(readFile(scratch("rotated.sdf")))), 100, 0.5);
  EXPECT_GT(std::abs(std::abs(firstTorsion(readFile(input))) - 100), 1);
}

// obrotate writes in its input's format whatever the output is called: an output named for
// another format, none or compression runs nothing; any code or case of that format runs.
TEST_F(Obrotate, AnOutputNamedForAnotherFormatThanTheInputsRunsNothing) {
  setText("inputFilepath", threeDMolecule("CCCC", scratch("but.mol2")));
  setText("smartsDihedral", "CCCC");
  setText("atomsDihedral", "1 2 3 4");
  setText("angleDihedral", "100");
  for (std::string name : {"rot.sdf", "rot", "rot.mol2.gz", "rot.SY2"}) {
    writeFile(scratch(name), "kept");
    setText("outputFilepath", scratch(name));
    h.press(pane, "runObroate:");
  }
  EXPECT_EQ(obabelCount({scratch("rot.SY2"), "-imol2", "-onul"}), 1);
  ASSERT_EQ(h.alerts().size(), 3u);
  for (std::string name : {"rot.sdf", "rot", "rot.mol2.gz"})
    EXPECT_EQ(readFile(scratch(name)), "kept");
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::EndsWith("Name the output \"" + scratch("rot.mol2") + "\"."));
}

}  // namespace
}  // namespace molbench::testing
