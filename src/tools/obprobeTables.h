// The constant tables of the probe-grid pane: the reference list of MMFF94 atom types with
// their partial charges, and the document on the MMFF atom types that its help button opens.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

// A header row, then one row per atom type: number, partial charge, description. Types 1 and
// 37 are carbons (the probe then stands for a hydrophobic group), as obprobe's own help says.
inline const Titles kMmffAtomTypes = {
    "AType    pchg    Description",
    "1    0.00    alkyl carbon",
    "7    -0.57    carbonyl oxygen (HBA)",
    "6    -0.68    hydroxyl oxygen (HBA)",
    "21    0.40    hydroxyl hydrogen (HBD)",
    "28    0.37    hydrogen on amide nitrogen",
    "31    0.43    water hydrogen",
    "32    -0.9    oxygen of carboxylate",
    "36    0.45    hydrogen on protonated amine",
    "37    0.00    phenyl carbon (hydrophobic)",
    "38    -0.62    pyridine nitrogen",
    "70    -0.86    water oxygen",
};

// The MMFF94 parameter and atom-type files as Merck published them with Halgren's papers
// (J. Comput. Chem. 17, 490), kept by the Computational Chemistry List. An https address, since
// current browsers no longer open ftp:// ones.
inline constexpr const char* kMmffDocumentAddress = "https://www.ccl.net/cca/data/MMFF94/";

}  // namespace molbench
