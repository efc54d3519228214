#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "TestSupport.h"
#include "common/Shell.h"
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

TEST(Shell, LeavesNoFinishedChildBehind) {
  for (int i = 0; i < 200; ++i) shell("echo $$ > /dev/null");
  EXPECT_FALSE(finishedChildLeft());

  // A command that closes its output and keeps running: the call returns at once, and the
  // child is reaped once it ends.
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(shell("echo early; exec >&-; sleep 1.5"), "early\n");
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

  // The stored path is used unquoted, so a blank in it splits it.
  std::string folder = h.temporaryDirectory();
  testing::writeArgumentRecorder(folder + "/my", folder + "/args");
  h.defaults().set("pathToobabel", folder + "/my prog");
  std::string obshellCommand;
  runComposedCommand(h, obshellCommand, lookUpObabelPath(h) + " -V");
  EXPECT_EQ(obshellCommand, folder + "/my prog -V");
  EXPECT_EQ(h.diagnostics().back(), obshellCommand);
  EXPECT_EQ(testing::recordedArguments(folder + "/args"), (std::vector<std::string>{"prog", "-V"}));
}

}  // namespace
}  // namespace molbench
