// How every pane runs a program and finds obabel.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace molbench {

// Runs the text with /bin/bash -c and returns what it wrote to standard output, untrimmed.
// Nothing when the output is not valid UTF-8 (or bash could not be started): the caller then
// has no text to show.
std::optional<std::string> shell(const std::string& command);

inline constexpr const char* kObabelPathKey = "pathToobabel";
inline constexpr const char* kMissingObabelPath = "Need obabel Path";

// The stored obabel path; "Need obabel Path" only when the key is absent.
std::string lookUpObabelPath(platform::Platform& platform);

// The run recipe after composing: store the text in obshellCommand, write it as a diagnostic
// line, run it. Returns what shell returns.
std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command);

}  // namespace molbench
