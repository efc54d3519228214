#include "tools/RmsdCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string firstOnlyPiece(bool firstOnly) { return firstOnly ? kFirstOnlyPiece : ""; }

std::string rmsdCommand(const std::string& programPath, const std::string& chooseFirst,
                        const std::string& referencePath, const std::string& testPath) {
  return programPath + " " + chooseFirst + " " + quotedPath(referencePath) + " " +
         quotedPath(testPath);
}

}  // namespace molbench
