// The probe pane's reference list of MMFF94 atom types with their partial charges, and the
// document on the MMFF atom types that its help button opens.
#pragma once

#include <string>
#include <vector>

namespace molbench {

// The tool panes' input-format popup rows.
const std::vector<std::string>& toolInputFileTypes();
// The probe pane's: the same without the two SMILES rows.
const std::vector<std::string>& probeInputFileTypes();

// A header row, then one row per atom type: number, partial charge, description.
const std::vector<std::string>& mmffAtomTypeRows();

// Wiley's supplementary material to Halgren's MMFF94 papers (J. Comput. Chem. 17, 490).
inline constexpr const char* kMmffDocumentAddress =
    "ftp://ftp.wiley.com/public/journals/jcc/suppmat/17/490";

}  // namespace molbench
