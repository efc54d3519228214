// A run never starts on a file it cannot read: obabel and the shell's "> FILE" empty the output
// before the program finds its input missing, and a FIFO would block the run for good.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace molbench {

// One file a run reads, with the name of the field it comes from ("input", "index",
// "template", "reference", "query", "database", "names").
struct InputFile {
  std::string field;
  std::string path;
};

// Why the file cannot be read as an input, or nothing when it can: the field is empty, the path
// does not exist, is a dangling link, a folder, not a regular file (a FIFO, a device, a socket),
// or cannot be opened for reading. The text names the field and the path. Never blocks.
std::optional<std::string> inputFileProblem(const InputFile& file);

// Shows an alert naming the first file that cannot be read and why, and returns false; true
// when every file can be read. A fast-search index brings the molecule file it reads.
bool inputFilesAccepted(platform::Platform& platform, const std::vector<InputFile>& files);

// Why the program cannot be run from this path, or nothing when it can: the path names no
// file, a folder, or a file that may not be executed. A leading "~/" stands for $HOME, as the
// shell reads it. The text names the program and where it was looked for.
std::optional<std::string> programFileProblem(const std::string& program, const std::string& path);

// Whether the file begins as gzip data does. obabel reads such a file whole, but nothing can
// seek in it or read its lines as text.
bool isGzipCompressed(const std::string& path);

inline constexpr const char* kInputAlertTitle = "Choose an input file";

}  // namespace molbench
