#include "tools/obthermoCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::optional<std::string> obthermoUnitsPiece(const std::string& unitsTitle) {
  if (unitsTitle == kKcalUnits) return std::string();
  if (unitsTitle == kKjUnits) return std::string(" --kj ");
  return std::nullopt;
}

std::string obthermoValuePiece(const char* option, const std::string& text) {
  if (text.empty()) return "";
  return option + shellWord(text);
}

std::string obthermoCommand(const ObthermoPieces& p) {
  return p.head + " " + quotedPath(p.inputPath) + p.obunits + " " + p.symNum + " " + p.numRots +
         " " + p.tempDerivative;
}

}  // namespace molbench
