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
// several threads never interleave; creates the file when it is missing. A file whose last line
// has no line feed (typed by hand, or cut short) gets one first, so the text starts a line of
// its own. Never waits: a FIFO, a folder or a device at the path is left alone. Nothing when
// the text was added, else why not.
std::optional<std::string> appendToTextFile(const std::string& path, const std::string& text);

// Gives a file whose last line has no line feed its line feed, for appends made by others (the
// shell's ">>"). A missing or empty file, or one that ends its lines, is left as it is. Never
// waits, as above. Nothing when the file is ready to be appended to, else why not.
std::optional<std::string> finishLastLine(const std::string& path);

}  // namespace molbench
