// What the failure alert of a command of two piped obabel runs shows, from standard error as
// obabel 3.1.1 writes it. The real runs are in the panes' tests; the order in which the two
// runs' lines arrive is up to the system, so the case where the first run's lines come last is
// written out here.
#include <gmock/gmock.h>

#include "common/RunFailure.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

// The second run, which cannot write its output, says so before it reads anything and exits 0.
const std::string kSecondRun =
    "==============================\n*** Open Babel Error  in FullConvert\n"
    "  Cannot write to /d/out.sdf\n0 molecules converted\n";
// The first run goes on with its molecules until it writes into the closed pipe, and prints no
// summary: it is ended by the broken pipe (141, from bash under pipefail).
const std::string kFirstRunAfterwards =
    "==============================\n*** Open Babel Warning  in ReadMolecule\n"
    "  Failed to kekulize aromatic bonds in MOL2 file (title is *****)\n\n"
    "==============================\n*** Open Babel Error  in Do\n"
    "  3D coordinate generation failed\n";

TEST(PipedRuns, ABrokenPipeNamesTheSecondRunWithItsOwnLinesWhereverTheFirstRunsEnd) {
  platform::posix::BashRun run;
  run.exitStatus = 141;
  for (const auto& tail : {kSecondRun, kFirstRunAfterwards + kSecondRun,
                           kSecondRun + kFirstRunAfterwards + kFirstRunAfterwards}) {
    run.errorTail = tail;
    auto alert = runFailureAlert(run, Failures::any, "obabel", "/d/out.sdf");
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->messageText, "The second obabel run failed");
    EXPECT_THAT(alert->informativeText,
                AllOf(HasSubstr("writes \"/d/out.sdf\""), Not(HasSubstr("signal")),
                      EndsWith("  Cannot write to /d/out.sdf\n0 molecules converted")));
  }
}

}  // namespace
}  // namespace molbench::testing
