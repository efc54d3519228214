#include "common/Shell.h"

#include "common/CommandFragments.h"
#include "common/Refusal.h"
#include "common/WriteFailure.h"
#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

std::optional<std::string> shell(const std::string& command) { return shellRun(command).output; }

namespace {

// What obabel says once and then goes on past: a long run's later lines would push it out of
// the error tail.
const std::vector<platform::posix::WatchedPhrase>& watchedLines() {
  static const std::vector<platform::posix::WatchedPhrase> lines = [] {
    auto all = leftOutLines();
    all.push_back({kCannotWrite, platform::posix::Stream::error});
    return all;
  }();
  return lines;
}

}  // namespace

platform::posix::BashRun shellRun(const std::string& command) {
  auto run = platform::posix::runBash(command, watchedLines());
  if (run.output && !platform::isValidUtf8(*run.output)) run.output.reset();
  return run;
}

std::optional<std::string> shell(platform::Platform& platform, const std::string& command,
                                 Failures failures, const std::string& program) {
  auto run = shellRun(command);
  if (!saidRunFailure(platform, run, failures, program))
    saidWriteFailure(platform, run, program, std::nullopt);
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

const std::string& stored(platform::Platform& platform, std::string& obshellCommand,
                          const std::string& command) {
  obshellCommand = command;
  platform.diagnostic(obshellCommand);
  return obshellCommand;
}

}  // namespace

std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command, Failures failures,
                                              const std::string& program) {
  auto run = shellRun(stored(platform, obshellCommand, command));
  if (!saidRunFailure(platform, run, failures, program))
    saidWriteFailure(platform, run, program, std::nullopt);
  return std::move(run.output);
}

std::optional<platform::posix::BashRun> runWritingCommand(platform::Platform& platform,
                                                          std::string& obshellCommand,
                                                          const std::string& command,
                                                          const std::string& outputPath) {
  return runWriting(platform, stored(platform, obshellCommand, command), outputPath);
}

std::optional<platform::posix::BashRun> runWriting(platform::Platform& platform,
                                                   const std::string& command,
                                                   const std::string& outputPath) {
  auto run = shellRun(command);
  if (saidRunFailure(platform, run, Failures::any, "obabel", pipedOutput(command, outputPath)) ||
      saidWriteFailure(platform, run, "obabel", outputPath))
    return std::nullopt;
  return run;
}

}  // namespace molbench
