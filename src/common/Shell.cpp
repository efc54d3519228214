#include "common/Shell.h"

#include "common/CommandFragments.h"
#include "common/Refusal.h"
#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

std::optional<std::string> shell(const std::string& command) { return shellRun(command).output; }

platform::posix::BashRun shellRun(const std::string& command) {
  auto run = platform::posix::runBash(command, leftOutLines());
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

namespace {

platform::posix::BashRun storedAndRun(platform::Platform& platform, std::string& obshellCommand,
                                      const std::string& command) {
  obshellCommand = command;
  platform.diagnostic(obshellCommand);
  return shellRun(obshellCommand);
}

}  // namespace

std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command, Failures failures,
                                              const std::string& program) {
  auto run = storedAndRun(platform, obshellCommand, command);
  saidRunFailure(platform, run, failures, program);
  return std::move(run.output);
}

std::optional<platform::posix::BashRun> runWritingCommand(platform::Platform& platform,
                                                          std::string& obshellCommand,
                                                          const std::string& command,
                                                          const std::string& outputPath) {
  auto run = storedAndRun(platform, obshellCommand, command);
  if (saidRunFailure(platform, run, Failures::any, "obabel", pipedOutput(command, outputPath)))
    return std::nullopt;
  return run;
}

}  // namespace molbench
