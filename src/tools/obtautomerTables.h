// The chooser table of the tautomer pane: SMILES in, SMILES out.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObtautomerFiles{
    .inputExtensions = std::vector<std::string>{"smi", "smiles"},
    .defaultOutput = "/obtautomer.smiles",
    .outputExtensions = std::vector<std::string>{"smi", "smiles"},
};

}  // namespace molbench
