// Runs one command text with /bin/bash -c and reads its standard output to end of file.
#pragma once

#include <optional>
#include <string>

namespace molbench::platform::posix {

// Standard input and standard error are inherited; standard output is a pipe read in large
// blocks until every holder of its writing end has closed it. The exit status is not read.
// The raw bytes, or nothing when the program could not be started.
std::optional<std::string> runBashCapturingOutput(const std::string& command);

}  // namespace molbench::platform::posix
