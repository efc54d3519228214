#include "convert/NamedInput.h"

#include <strings.h>

#include "common/ShellQuote.h"

namespace molbench {

namespace {

constexpr const char* kScratchPath = "/dev/fd/3";

// obabel reads a format's code in any case.
bool isFormat(const std::string& code, const char* format) {
  return ::strcasecmp(code.c_str(), format) == 0;
}

// FPS names the file by what follows its path's last "/" or "\".
std::string fpsName(const std::string& path) {
  auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<NamedInput> namedInput(const std::string& formatCode, const std::string& inputPath) {
  if (isFormat(formatCode, "mna") || isFormat(formatCode, "mcif") ||
      isFormat(formatCode, "mmcif")) {
    const std::string derived = "# The contents of this file were derived from ";
    return NamedInput{derived + kScratchPath, derived + inputPath};
  }
  if (isFormat(formatCode, "fps"))
    return NamedInput{"#source=" + fpsName(kScratchPath), "#source=" + fpsName(inputPath)};
  return std::nullopt;
}

std::string inputNamedAgain(const NamedInput& named) {
  // awk takes the lines from its environment as they are ("-v" would read backslashes as
  // escapes); both begin with "#", so awk compares them as text, never as numbers.
  constexpr const char* kFirstReplaced =
      " awk '!done && $0 == ENVIRON[\"scratch_line\"] { print ENVIRON[\"input_line\"]; "
      "done = 1; next } 1'";
  return "scratch_line=" + quotedPath(named.scratchLine) +
         " input_line=" + quotedPath(named.inputLine) + kFirstReplaced;
}

}  // namespace molbench
