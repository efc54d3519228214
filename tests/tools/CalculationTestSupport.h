// What the calculation pane tests share: reading the real energy report back, and stand-in
// programs that print a report as well as recording their arguments.
#pragma once

#include <string>
#include <vector>

namespace molbench::testing {

// The total energy of each molecule of the file, as the obenergy program reports it.
std::vector<double> totalEnergies(const std::string& forceField, const std::string& path);

// A program that records its arguments like writeArgumentRecorder and then prints the report.
void writeReportingStandIn(const std::string& path, const std::string& argumentsFile,
                           const std::string& report);

// Writes tetramethyltin, ethanol and ethylamine in 3D (MMFF94 cannot type tin); gives the path.
std::string moleculesMmffCannotType(const std::string& path);

}  // namespace molbench::testing
