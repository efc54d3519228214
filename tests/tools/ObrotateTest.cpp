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

using Point = std::array<double, 3>;

Point minus(const Point& a, const Point& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Point cross(const Point& a, const Point& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The torsion of the first four atoms of the first molecule of an SD file, in degrees.
double firstTorsion(const std::string& sdf) {
  std::istringstream in(sdf);
  std::string line;
  for (int i = 0; i < 4; ++i) std::getline(in, line);
  std::array<Point, 4> p{};
  for (auto& point : p) {
    std::getline(in, line);
    std::istringstream(line) >> point[0] >> point[1] >> point[2];
  }
  Point b1 = minus(p[1], p[0]), b2 = minus(p[2], p[1]), b3 = minus(p[3], p[2]);
  Point n1 = cross(b1, b2), n2 = cross(b2, b3);
  double b2Length = std::sqrt(dot(b2, b2));
  Point m1 = cross(n1, {b2[0] / b2Length, b2[1] / b2Length, b2[2] / b2Length});
  return std::atan2(dot(m1, n2), dot(n1, n2)) * 180 / M_PI;
}

TEST_F(Obrotate, CommandPutsTheQuotedSmartsFirst) {
  EXPECT_EQ(obrotateCommand({"/usr/local/bin/obrotate", "C-C", "", "/data/in.sdf", "1 2 3 4", "60",
                             "/data/obrotate.sdf"}),
            "/usr/local/bin/obrotate 'C-C'  '/data/in.sdf' 1 2 3 4 60 > '/data/obrotate.sdf'");
  EXPECT_EQ(obrotateCommand({"p", "", "", "/i", "", "", "/o"}), "p ''  '/i'   > '/o'");
}

TEST_F(Obrotate, TypedValuesReachTheProgramAsTheUserMeantThem) {
  useStandIn();
  standInSibling("obrotate");
  setText("inputFilepath", scratch("in.sdf"));
  setText("outputFilepath", scratch("out.sdf"));
  setText("smartsDihedral", "[C;$(C'x')]-C");
  setText("atomsDihedral", " 1  2 3 $(touch pwned) ");
  setText("angleDihedral", "-60");
  h.press(pane, "runObroate:");
  EXPECT_THAT(standInArguments(), ::testing::ElementsAre("[C;$(C'x')]-C", scratch("in.sdf"), "1",
                                                         "2", "3", "$(touch", "pwned)", "-60"));
  EXPECT_FALSE(fileExists(scratch("pwned")));
}

TEST_F(Obrotate, RealRunSetsTheTorsion) {
  std::string input = scratch("butane.sdf");
  runForOutput("/usr/bin/obabel -:CCCC -O '" + input + "' --gen3D 2>/dev/null");
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

}  // namespace
}  // namespace molbench::testing
