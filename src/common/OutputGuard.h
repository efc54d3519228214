// A run never destroys its own input: the shell's "> FILE" and obabel's -O empty the output
// file before the program reads anything, and a folder or a path ending in "/" names no file
// (obabel would write a hidden ".ext" file inside it).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/InputGuard.h"
#include "platform/Platform.h"

namespace molbench {

// Why the output path cannot be written, or nothing when it can: it is empty, ends in "/",
// names an existing folder, or names the same file as one of the inputs (the same path, or a
// link or hard link to it), or the molecule file that an input fast-search index reads.
std::optional<std::string> outputPathProblem(const std::string& outputPath,
                                             const std::vector<std::string>& inputPaths = {});

// Shows an alert and returns false when the output path has a problem; true when the run may
// go ahead.
bool outputPathAccepted(platform::Platform& platform, const std::string& outputPath,
                        const std::vector<std::string>& inputPaths = {});

// Shows an alert and returns false when the input path is empty: obabel then reads nothing
// but still empties the output it was given.
bool inputPathAccepted(platform::Platform& platform, const std::string& inputPath);

inline constexpr const char* kOutputAlertTitle = "Choose an output file";

}  // namespace molbench
