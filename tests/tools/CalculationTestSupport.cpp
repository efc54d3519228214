#include "CalculationTestSupport.h"

#include <sstream>

#include "TestSupport.h"

namespace molbench::testing {

std::vector<double> totalEnergies(const std::string& forceField, const std::string& path) {
  std::istringstream report(
      runForOutput("/usr/bin/obenergy -ff " + forceField + " '" + path + "' 2>/dev/null"));
  std::vector<double> energies;
  const std::string marker = "TOTAL ENERGY =";
  for (std::string line; std::getline(report, line);)
    if (line.rfind(marker, 0) == 0) energies.push_back(std::stod(line.substr(marker.size())));
  return energies;
}

void writeReportingStandIn(const std::string& path, const std::string& argumentsFile,
                           const std::string& report) {
  writeArgumentRecorder(path, argumentsFile);
  writeFile(path, readFile(path) + "cat <<'REPORT'\n" + report + "\nREPORT\n");
}

std::string moleculesMmffCannotType(const std::string& path) {
  runForOutput("/usr/bin/obabel '-:C[Sn](C)(C)C tin' '-:CCO ethanol' '-:CCN ethylamine' -O '" +
               path + "' --gen3D 2>&1");
  return path;
}

}  // namespace molbench::testing
