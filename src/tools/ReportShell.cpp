#include "tools/ReportShell.h"

#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

std::optional<std::string> shellReport(const std::string& command) {
  auto bytes = platform::posix::runBashCapturingOutput(command);
  if (!bytes) return std::nullopt;
  return platform::decodeUtf8Lossy(*bytes);
}

std::optional<std::string> shellReportWithMessages(const std::string& command) {
  // The line end ends a command that closes with a comment; the group takes bash's own
  // report of a child killed by a signal along with the program's messages.
  return shellReport("{ " + command + "\n} 2>&1");
}

}  // namespace molbench
