// The obprobe command of the probe-grid pane. obprobe reads its options only before the probe's
// atom type, charge and file, so "-s" and "-p" come first.
#pragma once

#include <string>

namespace molbench {

// " -s " and the step size, or "" when the field is empty.
std::string probeStepsOption(const std::string& steps);
// " -p " and the padding, or "" when the field is empty.
std::string probePaddingOption(const std::string& padding);

// The program, the two options, then the atom type, the partial charge and the quoted input.
// An empty type or charge stays one (empty) argument, so the others keep their places.
std::string probeCommand(const std::string& programPath, const std::string& stepsOption,
                         const std::string& paddingOption, const std::string& atomType,
                         const std::string& partialCharge, const std::string& inputPath);

}  // namespace molbench
