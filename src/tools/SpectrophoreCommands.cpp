#include "tools/SpectrophoreCommands.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string spectrophoreGenerateCommand(const std::string& programPath,
                                        const std::string& inputPath,
                                        const std::string& spectrophorePath) {
  return spectrophoreQueryCommand(programPath, inputPath) + " > " + quotedPath(spectrophorePath);
}

std::string spectrophoreQueryCommand(const std::string& programPath, const std::string& queryPath) {
  return programPath + " -i " + quotedPath(queryPath);
}

}  // namespace molbench
