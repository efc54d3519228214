// Output formats whose files name the file obabel read: Open Babel 3.1.1 writes "# The contents
// of this file were derived from <the path as given>" into MNA and macromolecular CIF, and
// "#source=<its name after the last / or \>" into FPS. A split run that reads the selected
// molecules from Molbench's scratch file as "/dev/fd/3" names that instead.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The line obabel writes for the scratch file and the one it writes for the input file.
struct NamedInput {
  std::string scratchLine;
  std::string inputLine;
};

// For the code of the output format ("mna", "FPS": any case) and the input path as obabel is
// given it; nothing for a format whose files name no input.
std::optional<NamedInput> namedInput(const std::string& formatCode, const std::string& inputPath);

// A command that copies its standard input to its standard output, with the first line that is
// the scratch file's put as the input's.
std::string inputNamedAgain(const NamedInput& named);

}  // namespace molbench
