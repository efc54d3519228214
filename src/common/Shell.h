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

// As shell, and the failures the pane tells of are said with an alert (RunFailure.h), as is a
// file obabel said it could not write (WriteFailure.h).
std::optional<std::string> shell(platform::Platform& platform, const std::string& command,
                                 Failures failures, const std::string& program = "obabel");

inline constexpr const char* kObabelPathKey = "pathToobabel";
inline constexpr const char* kMissingObabelPath = "Need obabel Path";

// The stored obabel path; "Need obabel Path" only when the key is absent.
std::string lookUpObabelPath(platform::Platform& platform);

// Whether a stored obabel path is empty or nothing but blanks (spaces, tabs, line breaks): such
// a path names no program.
bool isBlankObabelPath(const std::string& stored);

// The stored obabel path for a run, put into `obabelPath`. A blank stored path names no program:
// a command headed by it would have bash run the command's first file instead (an input with
// its execute bit runs as a script). Such a path is refused with an alert that asks for the
// path in the preferences, and `obabelPath` is left as it was.
bool obabelPathForRun(platform::Platform& platform, std::string& obabelPath);

inline constexpr const char* kEmptyObabelPathTitle = "The obabel path is empty";
inline constexpr const char* kEmptyObabelPathText =
    "Enter the path of obabel in the preferences (\"which obabel\" in a terminal shows it); "
    "until then nothing is run.";

// The run recipe after composing: store the text in obshellCommand, write it as a diagnostic
// line, run it, say its failures and a file obabel could not write. Returns what shell returns.
std::optional<std::string> runComposedCommand(platform::Platform& platform,
                                              std::string& obshellCommand,
                                              const std::string& command, Failures failures,
                                              const std::string& program = "obabel");

// The run recipe for an obabel command whose result is the file it writes at `outputPath`: as
// runComposedCommand with every failure said, where a command made by pipedRuns names the run
// that failed, and an output obabel could not write or that a full disk may have cut short
// (WriteFailure.h). The whole outcome, for what is said after it; nothing when any was said.
std::optional<platform::posix::BashRun> runWritingCommand(platform::Platform& platform,
                                                          std::string& obshellCommand,
                                                          const std::string& command,
                                                          const std::string& outputPath);

// As runWritingCommand, for a command the pane has stored and shown itself.
std::optional<platform::posix::BashRun> runWriting(platform::Platform& platform,
                                                   const std::string& command,
                                                   const std::string& outputPath);

}  // namespace molbench
