// The folders the program works in: the user's temporary directory and its resources.
#pragma once

#include <optional>
#include <string>

namespace molbench::platform::posix {

// $TMPDIR when set, else a private folder /tmp/molbench-<uid> made with mode 0700. Nothing
// when the private folder cannot be made or belongs to another user. No trailing "/".
std::optional<std::string> userTemporaryDirectory();

// The resource folder: MOLBENCH_RESOURCES when set; else beside the executable
// ("resources" in the build tree) or "../share/molbench" from an installed binary.
std::optional<std::string> resourceDirectory();

// The folder that holds the running executable.
std::optional<std::string> executableDirectory();

}  // namespace molbench::platform::posix
