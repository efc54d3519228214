#include "common/Shell.h"

#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

std::optional<std::string> shell(const std::string& command) {
  auto bytes = platform::posix::runBashCapturingOutput(command);
  if (!bytes || !platform::isValidUtf8(*bytes)) return std::nullopt;
  return bytes;
}

std::string lookUpObabelPath(platform::Platform& platform) {
  auto stored = platform.userDefaults().stringForKey(kObabelPathKey);
  return stored ? *stored : std::string(kMissingObabelPath);
}

std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command) {
  obshellCommand = command;
  platform.diagnostic(obshellCommand);
  return shell(obshellCommand);
}

}  // namespace molbench
