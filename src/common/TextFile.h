// Writing text files so that a reader never meets a half-written one, and adding to them from
// any thread without waiting on what the path has become.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// Writes the text beside the target and renames it into place. False when any step fails;
// the target is then as it was before.
bool writeTextFileAtomically(const std::string& path, const std::string& text);

// Appends the text in one locked write, however long, so that texts added together from
// several threads never interleave; creates the file when it is missing. Never waits: a FIFO,
// a folder or a device at the path is left alone. Nothing when the text was added, else why not.
std::optional<std::string> appendToTextFile(const std::string& path, const std::string& text);

}  // namespace molbench
