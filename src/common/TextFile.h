// Writing whole text files so that a reader never meets a half-written one.
#pragma once

#include <string>

namespace molbench {

// Writes the text beside the target and renames it into place. False when any step fails;
// the target is then as it was before.
bool writeTextFileAtomically(const std::string& path, const std::string& text);

}  // namespace molbench
