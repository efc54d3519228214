#include "tools/ProbeCommand.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string probeStepsOption(const std::string& steps) {
  return steps.empty() ? "" : " -s " + shellWord(steps);
}

std::string probePaddingOption(const std::string& padding) {
  return padding.empty() ? "" : " -p " + shellWord(padding);
}

std::string probeCommand(const std::string& programPath, const std::string& stepsOption,
                         const std::string& paddingOption, const std::string& atomType,
                         const std::string& partialCharge, const std::string& inputPath) {
  return programPath + stepsOption + paddingOption + " " + optionValue(atomType) + " " +
         optionValue(partialCharge) + " " + quotedPath(inputPath);
}

}  // namespace molbench
