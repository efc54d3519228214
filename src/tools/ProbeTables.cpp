#include "tools/ProbeTables.h"

namespace molbench {

const std::vector<std::string>& toolInputFileTypes() {
  static const std::vector<std::string> rows = {"Choose",
                                                "mol -- MDL MOL format",
                                                "mol2 -- Sybyl Mol2 format",
                                                "sd -- MDL MOL format",
                                                "sdf -- MDL MOL format",
                                                "smi -- SMILES",
                                                "smiles -- SMILES"};
  return rows;
}

const std::vector<std::string>& probeInputFileTypes() {
  static const std::vector<std::string> rows = {"Choose", "mol -- MDL MOL format",
                                                "mol2 -- Sybyl Mol2 format", "sd -- MDL MOL format",
                                                "sdf -- MDL MOL format"};
  return rows;
}

const std::vector<std::string>& mmffAtomTypeRows() {
  // Types 1 and 37 are carbons (the probe then stands for a hydrophobic group), as obprobe's
  // own help says.
  static const std::vector<std::string> rows = {
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
  return rows;
}

}  // namespace molbench
