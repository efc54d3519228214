// The symmetry command: obsym on one file, its output (the point group and the symmetrised
// structure) sent into the output file by the shell's redirection.
#pragma once

#include <string>

namespace molbench {

// The program, a blank, the quoted input, " > " and the quoted output.
std::string obsymCommand(const std::string& head, const std::string& inputPath,
                         const std::string& outputPath);

}  // namespace molbench
