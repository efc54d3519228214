// The symmetry pane. Debian 12's obsym crashes on every molecule, so what reaches the output
// file comes from a stand-in obsym; the real program runs once to show that its crash is said
// and leaves the pane working.
#include "ToolPattern.h"
#include "common/ShellQuote.h"
#include "tools/obsymviewcontroller.h"

namespace molbench::testing {
namespace {

using Obsym = ToolPane<obsymviewcontroller, "obsym">;

TEST_F(Obsym, TheRealCrashLeavesThePaneWorkingAndTheProgramsOutputGoesIntoTheFile) {
  std::string input = scratch("ethanol.cif");
  runForOutput("/usr/bin/obabel " + quotedPath(testDataPath("small.sdf")) + " -l 1 -O '" + input +
               "' 2>/dev/null");
  setText("inputFilepath", input);
  setText("outputFilepath", scratch("sym.cif"));
  h.press(pane, "runObsym:");  // Debian 12's obsym dies of a segmentation fault
  EXPECT_TRUE(fileExists(scratch("sym.cif")));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obsym crashed");
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("(Segmentation fault)"));

  useStandIn();
  writeReportingStandIn(scratch("bin/obsym"), scratch("arguments"), "Point Group: C2v\ndata_x");
  h.press(pane, "runObsym:");
  EXPECT_EQ(pane.obshellCommand,
            scratch("bin/obsym") + " '" + input + "' > '" + scratch("sym.cif") + "'");
  EXPECT_EQ(readFile(scratch("sym.cif")), "Point Group: C2v\ndata_x\n");
}

}  // namespace
}  // namespace molbench::testing
