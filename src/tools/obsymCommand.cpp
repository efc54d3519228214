#include "tools/obsymCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string obsymCommand(const std::string& head, const std::string& inputPath,
                         const std::string& outputPath) {
  return head + " " + quotedPath(inputPath) + " > " + quotedPath(outputPath);
}

}  // namespace molbench
