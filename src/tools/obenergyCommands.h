// The two energy commands: obabel writes each molecule's title and force-field energy as text,
// either to its standard output (shown in the pane) or to a report file.
#pragma once

#include <string>

namespace molbench {

// The report piece both commands share: text output, the energy appended to the title.
inline constexpr const char* kEnergyReportPiece = " -otxt --energy --append \"Energy\"";

// obabel, two blanks, the quoted input, the report piece, " --ff " and the force field.
std::string obenergyCommand(const std::string& head, const std::string& iFileType,
                            const std::string& inputPath, const std::string& forceFieldTitle);

// The same with " -O " and the quoted report file in front of " --ff ".
std::string obenergySaveCommand(const std::string& head, const std::string& iFileType,
                                const std::string& inputPath, const std::string& outputPath,
                                const std::string& forceFieldTitle);

}  // namespace molbench
