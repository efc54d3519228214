#include "tools/ReportShell.h"

#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

std::optional<std::string> shellReport(const std::string& command) {
  auto bytes = platform::posix::runBashCapturingOutput(command);
  if (!bytes) return std::nullopt;
  return platform::decodeUtf8Lossy(*bytes);
}

}  // namespace molbench
