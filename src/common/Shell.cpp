#include "common/Shell.h"

#include "common/Refusal.h"
#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

std::optional<std::string> shell(const std::string& command) { return shellRun(command).output; }

platform::posix::BashRun shellRun(const std::string& command) {
  auto run = platform::posix::runBash(command);
  if (run.output && !platform::isValidUtf8(*run.output)) run.output.reset();
  return run;
}

std::optional<std::string> shell(platform::Platform& platform, const std::string& command,
                                 Failures failures, const std::string& program) {
  auto run = shellRun(command);
  saidRunFailure(platform, run, failures, program);
  return std::move(run.output);
}

std::string lookUpObabelPath(platform::Platform& platform) {
  auto stored = platform.userDefaults().stringForKey(kObabelPathKey);
  return stored ? *stored : std::string(kMissingObabelPath);
}

bool isBlankObabelPath(const std::string& stored) {
  return stored.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
}

bool obabelPathForRun(platform::Platform& platform, std::string& obabelPath) {
  std::string stored = lookUpObabelPath(platform);
  if (!acceptedUnless(platform,
                      isBlankObabelPath(stored) ? std::optional(std::string(kEmptyObabelPathText))
                                                : std::nullopt,
                      kEmptyObabelPathTitle))
    return false;
  obabelPath = stored;
  return true;
}

std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command, Failures failures,
                                              const std::string& program) {
  obshellCommand = command;
  platform.diagnostic(obshellCommand);
  return shell(platform, obshellCommand, failures, program);
}

}  // namespace molbench
