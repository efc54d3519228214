#include "tools/obminimiseCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string obminimiseCommand(const ObminimisePieces& p) {
  return p.head + " " + p.iFileType + " " + quotedPath(p.inputPath) + " -O " +
         quotedPath(p.outputPath) + " --minimize " + " --steps " + optionValue(p.steps) + " " +
         shellWord(p.algorithmTitle) + " --ff " + optionValue(p.forceFieldTitle) + " --crit " +
         optionValue(p.convergence) + " --rvdw " + optionValue(p.vdwCutoff) + " --rele " +
         optionValue(p.electrostaticCutoff) + " --freq " + optionValue(p.nonBondedUpdateFrequency);
}

}  // namespace molbench
