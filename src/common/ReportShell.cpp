#include "common/ReportShell.h"

#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

platform::posix::BashRun shellReport(const std::string& command) {
  auto run = platform::posix::runBash(command);
  if (run.output) run.output = platform::decodeUtf8Lossy(*run.output);
  return run;
}

platform::posix::BashRun shellReportWithMessages(const std::string& command) {
  // The line end ends a command that closes with a comment; the group takes bash's own
  // report of a child killed by a signal along with the program's messages.
  return shellReport("{ " + command + "\n} 2>&1");
}

}  // namespace molbench
