// The two obspectrophore commands of the spectrophore pane.
#pragma once

#include <string>

namespace molbench {

// Writes the spectrophores of every molecule of the input into the spectrophore file.
std::string spectrophoreGenerateCommand(const std::string& programPath,
                                        const std::string& inputPath,
                                        const std::string& spectrophorePath);

// Prints the query molecule's spectrophore, which the search reads from the pipe.
std::string spectrophoreQueryCommand(const std::string& programPath, const std::string& queryPath);

}  // namespace molbench
