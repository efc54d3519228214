#include "tools/FitCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string appendRmsdPiece(bool includeRmsd) { return includeRmsd ? kAppendRmsdPiece : ""; }

std::string fitCommand(const FitPieces& pieces) {
  std::string templatePiece =
      pieces.templatePath.empty() ? "" : shellWord(pieces.templatePath) + " ";
  return pieces.obabelPath + " " + templatePiece + pieces.iFileType + " " +
         quotedPath(pieces.inputPath) + " -O " + quotedPath(pieces.outputPath) + " -s  " +
         optionValue(pieces.smarts) + " --align " + pieces.incRMSD;
}

}  // namespace molbench
