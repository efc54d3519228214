#include "tools/obpropCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string obpropCommand(const std::string& head, const std::string& iFileType,
                          const std::string& inputPath, const std::string& outputPath) {
  return head + " " + iFileType + " " + quotedPath(inputPath) + " > " + quotedPath(outputPath);
}

}  // namespace molbench
