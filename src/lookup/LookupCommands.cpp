#include "lookup/LookupCommands.h"

#include "common/ShellQuote.h"

namespace molbench {

namespace {

std::string smilesInput(const std::string& obabelPath, const std::string& smiles) {
  return programWord(obabelPath) + " -:" + quotedPath(smiles);
}

}  // namespace

std::string depictionCommand(const std::string& obabelPath, const std::string& smiles,
                             const std::string& pngPath) {
  return smilesInput(obabelPath, smiles) + " -opng -O " + quotedPath(pngPath);
}

std::string threeDTextCommand(const std::string& obabelPath, const std::string& smiles) {
  return smilesInput(obabelPath, smiles) + " -osdf --gen3D";
}

std::string threeDFileCommand(const std::string& obabelPath, const std::string& smiles,
                              const std::string& sdfPath) {
  return smilesInput(obabelPath, smiles) + " -osdf -O " + quotedPath(sdfPath) + " --gen3D";
}

}  // namespace molbench
