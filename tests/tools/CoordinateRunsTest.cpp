// The tool panes that make 3D coordinates: a molecule obabel could not make them for, and the
// failure of the second run of a pipe, are said with obabel's own lines.
#include "ToolPattern.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kNci = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";  // flat, 2D

const ToolPaneCase kObgen{.identifier = "obgen", .run = "runObgen:"};
const ToolPaneCase kObconfab{.identifier = "obconfab", .run = "runobConfab:"};
const ToolPaneCase kObconformer{.identifier = "obconformer", .run = "runObconformer:"};

class CoordinateRuns : public ToolPattern {
 protected:
  void run(const std::string& input, const std::string& output) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.press(pane, GetParam().run);
  }
};

// NCI's fourth molecule read from Mol2: obabel prints "3D coordinate generation failed", writes
// it as it came (flat) and exits 0.
TEST_P(CoordinateRuns, AMoleculeLeftWithoutCoordinatesIsSaidAndTheFileKept) {
  runForOutput(std::string(kObabel) + " " + quotedPath(kNci) + " -f 3 -l 4 -O " +
               quotedPath(scratch("nci.mol2")) + " 2>&1");
  run(scratch("nci.mol2"), scratch("out.sdf"));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obabel left molecules without 3D coordinates");
  EXPECT_THAT(h.alerts()[0].informativeText,
              AllOf(HasSubstr("3D coordinate generation failed"), HasSubstr(scratch("out.sdf"))));
  EXPECT_GE(moleculeCount(scratch("out.sdf")), 2);
}

INSTANTIATE_TEST_SUITE_P(Tools, CoordinateRuns, ::testing::Values(kObgen, kObconfab, kObconformer),
                         caseName);

using PipedCoordinateRuns = CoordinateRuns;

// obabel that cannot write its output says so and exits 0 before it reads anything; the first
// run, still making coordinates, then dies of the broken pipe, which was said as its crash.
TEST_P(PipedCoordinateRuns, ASecondRunThatCannotWriteIsNamedWithItsOwnError) {
  std::string output = scratch(std::string(300, 'x') + ".sdf");  // too long for a file name
  run(kNci, output);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "The second obabel run failed");
  EXPECT_THAT(h.alerts()[0].informativeText,
              AllOf(HasSubstr("Cannot write to " + output), Not(HasSubstr("signal"))));
}

INSTANTIATE_TEST_SUITE_P(Tools, PipedCoordinateRuns, ::testing::Values(kObconfab, kObconformer),
                         caseName);

}  // namespace
}  // namespace molbench::testing
