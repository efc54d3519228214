// The viewer's fixed popup tables and the names of the files it derives from its input.
#pragma once

#include <string>
#include <vector>

namespace molbench {

inline const std::vector<std::string> kViewerInputFormats = {
    "autodetect from extension", "mol -- MDL MOL format", "mol2 -- Sybyl Mol2 format",
    "sd -- MDL MOL format",      "sdf -- MDL MOL format", "smi -- SMILES",
    "smiles -- SMILES",
};

inline const std::vector<std::string> kMatchModes = {"matching", "not_matching"};

inline constexpr const char* kExportEnding = "export.sdf";
inline constexpr const char* kExportTemporaryEnding = "temp.sdf";
inline constexpr const char* kPubchemResultEnding = "pubchem.smi";
inline constexpr const char* kNothingImportedTitle = "No molecules imported";
inline std::string nothingImportedText(const std::string& inputPath) {
  return "obabel read no molecules from \"" + inputPath +
         "\". Check that its extension names its format, and that the obabel path in "
         "Preferences names the program.";
}
// An answer holding this marker is PubChem's error text, never a SMILES.
inline constexpr const char* kPubchemErrorMarker = "PUGREST";

}  // namespace molbench
