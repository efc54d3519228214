#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "TestSupport.h"
#include "common/Shell.h"
#include "common/WriteFailure.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

// Whether a child of this process has finished but was never reaped (the child is left as
// it is, so the code under test can still reap it).
bool finishedChildLeft() {
  siginfo_t info{};
  return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

TEST(Shell, ReturnsStandardOutputExactlyAndWhole) {
  EXPECT_EQ(shell("printf '  spaced  \\n\\n'"), "  spaced  \n\n");
  EXPECT_EQ(shell(""), "");
  EXPECT_EQ(shell("echo out; echo err >&2"), "out\n") << "standard error is left alone";
  EXPECT_EQ(shell("(echo 25 molecules converted >&2) 2>&1 |cut -d  \" \" -f1"), "25\n");
  EXPECT_EQ(shell("echo written; exit 3"), "written\n");
  EXPECT_EQ(shell("no-such-program-here"), "");
  EXPECT_FALSE(shell("printf 'ok\\377\\376'")) << "output that is not UTF-8 gives no text";
  EXPECT_EQ(shell("printf 'caf\\303\\251'"), "caf\xC3\xA9");
  auto output = shell("head -c 5000000 /dev/zero | tr '\\0' 'x'");
  ASSERT_TRUE(output);
  EXPECT_EQ(output->size(), 5000000u);
  EXPECT_EQ(output->find_first_not_of('x'), std::string::npos);
}

// Molbench's standard input may be the terminal it was started from: a program reading it
// would hold the window until someone typed there.
TEST(Shell, GivesProgramsAnEmptyStandardInput) {
  int saved = ::dup(STDIN_FILENO);
  ::dup2(::open(testing::testDataPath("small.smi").c_str(), O_RDONLY | O_CLOEXEC), STDIN_FILENO);
  EXPECT_EQ(shell("cat"), "");
  ::dup2(saved, STDIN_FILENO);
}

TEST(Shell, GivesProgramsOneOpenMpThreadUnlessTheUserChoseOtherwise) {
  const char* command = "printf %s \"${OMP_NUM_THREADS-unset}\"";
  ::unsetenv("OMP_NUM_THREADS");
  EXPECT_EQ(shell(command), "1");
  ::setenv("OMP_NUM_THREADS", "3", 1);
  EXPECT_EQ(shell(command), "3");
  ::unsetenv("OMP_NUM_THREADS");
  shell(command);
  EXPECT_EQ(::getenv("OMP_NUM_THREADS"), nullptr) << "Molbench's own environment is left alone";
}

TEST(Shell, TellsHowTheRunEnded) {
  auto failed = shellRun("echo out; printf 'first\\nlast\\n' >&2; exit 3");
  EXPECT_EQ(failed.output, "out\n");
  EXPECT_EQ(failed.exitStatus, 3);
  EXPECT_EQ(failed.errorTail, "first\nlast\n");
  EXPECT_TRUE(failed.failed());
  EXPECT_EQ(shellRun("kill -SEGV $$").signal, SIGSEGV);
  EXPECT_FALSE(shellRun("echo fine >&2").failed());

  // More than a pipe holds on each stream: neither stops the program, and the tail is bounded.
  auto chatty = shellRun("for i in $(seq 9000); do echo error-$i >&2; echo output-$i; done");
  ASSERT_TRUE(chatty.output);
  EXPECT_EQ(chatty.output->size(), 106893u);
  EXPECT_EQ(chatty.errorTail.size(), platform::posix::kErrorTailBytes);
  EXPECT_TRUE(chatty.errorTail.ends_with("error-8999\nerror-9000\n"));

  // Linux takes at most 128 KiB in one argument, and bash gets the command as one.
  auto tooLong = shellRun("true " + std::string(128 * 1024, 'x'));
  EXPECT_EQ(tooLong.startError, E2BIG);
  EXPECT_FALSE(tooLong.output);
  EXPECT_EQ(shellRun("true " + std::string(128 * 1024 - 10, 'x')).exitStatus, 0);
}

// obabel goes on after leaving a molecule out, and what it writes later can fill the error
// tail many times over; its line must still be seen, even when it arrives in two writes. A line
// counts only on the stream where it is printed (Confab's on standard output, in a report that
// is no UTF-8; obabel's on standard error), and only where it begins with the phrase: obabel
// quotes a title within its own line, and writes an SD title as a line of its own.
TEST(Shell, SeesAWatchedLineOnItsOwnStreamButNoTitleSayingIt) {
  std::string warnings = "head -c 20000 /dev/zero | tr '\\0' w >&2; echo >&2";
  auto run = shellRun(warnings + "; printf '  3D coordinate gen' >&2; sleep 0.05; printf " +
                      "'eration failed\\n' >&2; " + warnings);
  EXPECT_EQ(run.errorTail.find(kThreeDFailure), std::string::npos);
  EXPECT_TRUE(run.wroteOnError(kThreeDFailure));
  EXPECT_FALSE(run.wroteOnError(kForceFieldSetupFailure));
  EXPECT_FALSE(shellRun("echo '3D coordinate' >&2; echo 'generation failed' >&2")
                   .wroteOnError(kThreeDFailure));

  auto confab = shellRun(
      "printf '..title = caf\\xe9\\n!!Cannot set up forcefield for this molecule\\n!!Skipping'");
  EXPECT_FALSE(confab.output);
  EXPECT_TRUE(confab.wroteOnError(kConfabSetupFailure));
  EXPECT_FALSE(shellRun("echo '!!Cannot set up forcefield for this molecule' >&2")
                   .wroteOnError(kConfabSetupFailure));
  EXPECT_TRUE(shellRun("printf '  Stopped looking after 3999 molecules.' >&2")
                  .wroteOnError(kIndexSearchStopped));
  EXPECT_FALSE(
      shellRun("printf 'Stopped looking after 3999 molecules.'").wroteOnError(kIndexSearchStopped));

  auto quoted = shellRun(
      "echo '  Failed to kekulize aromatic SMILES (title is 3D coordinate generation failed)' "
      ">&2; echo '..title = !!Cannot set up forcefield for this molecule'");
  EXPECT_FALSE(quoted.wroteOnError(kThreeDFailure));
  EXPECT_FALSE(quoted.wroteOnError(kConfabSetupFailure));
  // An SD record on standard output begins with its title.
  auto titled =
      shellRun(std::string(testing::kObabel) +
               " '-:CCO Cannot write to x.sdf' '-:CC No 2D or 3D coordinates exist' -osdf");
  ASSERT_TRUE(titled.output);
  EXPECT_TRUE(titled.output->starts_with("Cannot write to x.sdf\n"));
  EXPECT_FALSE(titled.wroteOnError(kCannotWrite));
  EXPECT_TRUE(titled.wroteOnError(kNoCoordinates)) << "obabel's own warning, on standard error";
}

TEST(Shell, LeavesNoFinishedChildBehind) {
  for (int i = 0; i < 200; ++i) shell("echo $$ > /dev/null");
  EXPECT_FALSE(finishedChildLeft());

  // A command that closes its output and keeps running: the call returns at once, and the
  // child is reaped once it ends.
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(shell("echo early; exec >&-; sleep 1.5"), "early\n");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1200));
  // A child left in the background that holds only standard error: the status is read at once.
  started = std::chrono::steady_clock::now();
  EXPECT_EQ(shellRun("sleep 3 > /dev/null &").exitStatus, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1200));
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
  std::this_thread::sleep_for(std::chrono::milliseconds(1600));
  while (finishedChildLeft() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(finishedChildLeft());
}

TEST(ObabelPath, AbsentKeyFallsBackAndTheStoredTextIsUsedAsIs) {
  headless::Harness h;
  EXPECT_EQ(lookUpObabelPath(h), "Need obabel Path");
  h.defaults().set("pathToobabel", "");
  EXPECT_EQ(lookUpObabelPath(h), "");
  h.defaults().set("pathToobabel", "/usr/bin/obabel");
  EXPECT_EQ(lookUpObabelPath(h), "/usr/bin/obabel");
}

}  // namespace
}  // namespace molbench
