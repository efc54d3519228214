// The tool panes that make 3D coordinates say, in obabel's words, what its runs left undone.
#include "ToolPattern.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

const std::string kNci = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";  // flat, 2D

class CoordinateRuns : public ToolPattern {
 protected:
  void run(const std::string& input, const std::string& output) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.press(pane, GetParam().run);
  }
};

// Read from Mol2, NCI's fourth molecule gets no coordinates: obabel says so, writes it flat and
// exits 0.
TEST_P(CoordinateRuns, AMoleculeLeftWithoutCoordinatesIsSaidAndTheFileKept) {
  obabelCount({kNci, "-f", "3", "-l", "4", "-O", scratch("nci.mol2")});
  run(scratch("nci.mol2"), scratch("out.sdf"));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obabel left molecules without 3D coordinates");
  EXPECT_THAT(h.alerts()[0].informativeText,
              AllOf(HasSubstr("3D coordinate generation failed"), HasSubstr(scratch("out.sdf"))));
  EXPECT_GE(moleculeCount(scratch("out.sdf")), 2);
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
