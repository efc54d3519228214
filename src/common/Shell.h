// How every pane runs a program and finds obabel.
#pragma once

#include <optional>
#include <string>

#include "common/RunFailure.h"
#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

// Runs the text with /bin/bash -c and returns what it wrote to standard output, untrimmed.
// Nothing when the output is not valid UTF-8 (or bash could not be started): the caller then
// has no text to show.
std::optional<std::string> shell(const std::string& command);

// As shell, with the whole outcome of the run: its output is nothing as above.
platform::posix::BashRun shellRun(const std::string& command);

// As shell, and the failures the pane tells of are said with an alert (RunFailure.h).
std::optional<std::string> shell(platform::Platform& platform, const std::string& command,
                                 Failures failures, const std::string& program = "obabel");

inline constexpr const char* kObabelPathKey = "pathToobabel";
inline constexpr const char* kMissingObabelPath = "Need obabel Path";

// The stored obabel path; "Need obabel Path" only when the key is absent.
std::string lookUpObabelPath(platform::Platform& platform);

// The run recipe after composing: store the text in obshellCommand, write it as a diagnostic
// line, run it, say its failures. Returns what shell returns.
std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command, Failures failures,
                                              const std::string& program = "obabel");

}  // namespace molbench
