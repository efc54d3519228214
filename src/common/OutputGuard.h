// A run never destroys its own input: the shell's "> FILE" and obabel's -O empty the output
// file before the program reads anything, and a folder or a path ending in "/" names no file
// (obabel would write a hidden ".ext" file inside it).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/InputGuard.h"
#include "platform/Platform.h"

namespace molbench {

// What a run writes at its output path.
enum class OutputKind {
  file,        // that one file
  splitFiles,  // one file per molecule (obabel -m): numbered names, never the path itself
  index,       // a fast-search index: an existing file there must be an index already
};

// The numbered names obabel -m writes for this output path: the first part, the molecule's
// number (1, 2, ...), then the second part. The number goes before the last "." (before the
// one ahead of the last ".gz"), or at the end when there is none; a "*" takes the number
// itself and obabel puts another "*" where the number would have gone ("a*b.sdf.gz" gives
// "a1b*.sdf.gz"). Like obabel, this reads the whole path, folders included.
std::pair<std::string, std::string> splitOutputNames(const std::string& outputPath);

// Those names as a sentence gives them: "a1.sdf", "a2.sdf" and so on, each in quotes.
std::string numberedOutputNames(const std::string& outputPath);

// Why the output path cannot be written, or nothing when it can: it is empty, ends in "/",
// names an existing folder or anything else that is not a regular file (a FIFO, a device), or a
// file in a folder that does not exist, or names the same file
// as one of the inputs (the same path, or a
// link or hard link to it) or the molecule file that an input fast-search index reads. A split
// run is refused when any of its numbered names is such a file; an index build when the path
// holds a file that is no index.
std::optional<std::string> outputPathProblem(const std::string& outputPath,
                                             const std::vector<std::string>& inputPaths = {},
                                             OutputKind kind = OutputKind::file);

// Shows an alert and returns false when the output path has a problem; true when the run may
// go ahead.
bool outputPathAccepted(platform::Platform& platform, const std::string& outputPath,
                        const std::vector<std::string>& inputPaths = {},
                        OutputKind kind = OutputKind::file);

// The whole check of a run, its inputs first: one alert for the first problem; true when the
// run may go ahead. No output for a run that writes none.
bool runAccepted(platform::Platform& platform, const std::vector<InputFile>& inputs,
                 const std::optional<std::string>& outputPath, OutputKind kind = OutputKind::file);

inline constexpr const char* kOutputAlertTitle = "Choose an output file";

}  // namespace molbench
