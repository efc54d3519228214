// The alert of two piped obabel runs whose second gave up, from standard error as obabel 3.1.1
// writes it; the order in which the runs' lines arrive is the system's, so both are written out.
#include <gmock/gmock.h>

#include "common/RunFailure.h"

namespace molbench::testing {
namespace {

// The second run cannot write its output: it says so before it reads and exits 0.
const std::string kSecondRun =
    "==============================\n*** Open Babel Error  in FullConvert\n"
    "  Cannot write to /d/out.sdf\n0 molecules converted\n";
// The first run goes on until the broken pipe ends it (141 under pipefail), with no summary.
const std::string kFirstRunAfterwards =
    "==============================\n*** Open Babel Warning  in ReadMolecule\n"
    "  Failed to kekulize aromatic bonds in MOL2 file (title is *****)\n\n"
    "==============================\n*** Open Babel Error  in Do\n"
    "  3D coordinate generation failed\n";

TEST(PipedRuns, ABrokenPipeNamesTheSecondRunWithItsOwnLinesWhereverTheFirstRunsEnd) {
  platform::posix::BashRun run;
  run.exitStatus = 141;
  for (const auto& tail : {kSecondRun, kSecondRun + kFirstRunAfterwards + kFirstRunAfterwards}) {
    run.errorTail = tail;
    auto alert = runFailureAlert(run, Failures::any, "obabel", "/d/out.sdf");
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->messageText, "The second obabel run failed");
    EXPECT_THAT(alert->informativeText,
                ::testing::EndsWith("  Cannot write to /d/out.sdf\n0 molecules converted"));
  }
}

}  // namespace
}  // namespace molbench::testing
