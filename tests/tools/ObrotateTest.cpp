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

// obrotate writes in its input's format whatever the output is called: an output whose name gives
// another format, none, or compression runs nothing and keeps its bytes; any code or case of the
// input's format runs, and the file holds what its name says. The chooser presets that name.
TEST_F(Obrotate, AnOutputNamedForAnotherFormatThanTheInputsRunsNothing) {
  std::string input = threeDMolecule("CCCC", scratch("but.mol2"));
  h.answerOpenPanel(input);
  h.press(pane, "inputFileSelect:");
  EXPECT_EQ(h.field(pane, "outputFilepath").text(), scratch("obrotate.mol2"));
  setText("smartsDihedral", "CCCC");
  setText("atomsDihedral", "1 2 3 4");
  setText("angleDihedral", "100");
  const std::pair<std::string, bool> outputs[] = {
      {"rot.sdf", false}, {"rot", false},    {"rot.mol2.gz", false}, {"rot.txt", false},
      {"rot.mol2", true}, {"rot.ML2", true}, {"rot.sy2", true}};
  size_t refusals = 0;
  for (const auto& [name, runs] : outputs) {
    std::string output = scratch(name);
    writeFile(output, "kept");
    setText("outputFilepath", output);
    h.press(pane, "runObroate:");
    if (runs) {
      EXPECT_EQ(readFile(output).rfind("@<TRIPOS>MOLECULE", 0), 0u) << name;
      EXPECT_EQ(obabelCount({output, "-imol2", "-onul"}), 1) << name;
      continue;
    }
    EXPECT_EQ(readFile(output), "kept") << name;
    ASSERT_EQ(h.alerts().size(), ++refusals) << name;
    EXPECT_EQ(h.alerts().back().messageText, "Choose an output file");
    EXPECT_THAT(h.alerts().back().informativeText,
                ::testing::EndsWith("Name the output \"" + scratch("rot.mol2") + "\"."));
  }
}

}  // namespace
}  // namespace molbench::testing
