// The obabel commands of the lookup pane's 2D and 3D actions. The SMILES and every path reach
// obabel as one argument each, exactly as typed.
#pragma once

#include <string>

namespace molbench {

// Draws the SMILES into the PNG file.
std::string depictionCommand(const std::string& obabelPath, const std::string& smiles,
                             const std::string& pngPath);

// Writes the structure with 3D coordinates as SD text to standard output.
std::string threeDTextCommand(const std::string& obabelPath, const std::string& smiles);

// Writes the structure with 3D coordinates into the SD file.
std::string threeDFileCommand(const std::string& obabelPath, const std::string& smiles,
                              const std::string& sdfPath);

}  // namespace molbench
