// The properties command: obprop's report on one file, sent into the report file by the
// shell's redirection.
#pragma once

#include <string>

namespace molbench {

// The program, two blanks, the quoted input, " > " and the quoted report file.
std::string obpropCommand(const std::string& head, const std::string& iFileType,
                          const std::string& inputPath, const std::string& outputPath);

}  // namespace molbench
