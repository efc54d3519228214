// A run whose output did not reach its file is said, though the program ended as if it had
// succeeded. obabel that cannot open a file it is to write (a folder it may not write in, a
// read-only file or file system, a name longer than the file system takes) says "Cannot write
// to" and the name on standard error and still exits 0, leaving whatever stood at that name;
// a split stops at the first numbered file it cannot open. On a full disk obabel writes what
// fits, says nothing and exits 0. What was written is kept in either case: it is all there is.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

// The start of obabel's line for a file it could not open for writing; the file's name follows.
inline constexpr const char* kCannotWrite = "Cannot write to";

// Whether the file system that holds `path` (a file, which need not exist) has no room left for
// this user: the state a write that met a full disk leaves behind. False when that cannot be
// told (no such folder, a file system that counts no blocks).
bool noRoomLeft(const std::string& path);

// The alert for a run that went well by its status but whose output did not reach its file:
// obabel said it could not write one (named as obabel named it, else as `outputPath`), or,
// with `outputPath` known, its file system has no room left, so the file may be cut short.
// Titled after `program`; nothing when neither holds.
// What becomes of the file is said there, unless the caller says it: it is kept as written, or
// (an index rebuild) something else is put in its place.
enum class OutputFate { keptAsWritten, saidByCaller };
std::optional<platform::AlertRequest> writeFailureAlert(
    const platform::posix::BashRun& run, const std::string& program,
    const std::optional<std::string>& outputPath, OutputFate fate = OutputFate::keptAsWritten);

// Shows that alert, if there is one. True when it did.
bool saidWriteFailure(platform::Platform& platform, const platform::posix::BashRun& run,
                      const std::string& program, const std::optional<std::string>& outputPath);

}  // namespace molbench
