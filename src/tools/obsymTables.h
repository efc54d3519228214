// The constant tables of the symmetry pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

// Both choosers offer crystal structures only; obsym writes in the format it read.
inline const ToolFiles kObsymFiles{
    .inputExtensions = std::vector<std::string>{"cif"},
    .defaultOutput = "/obsym.cif",
    .outputExtensions = std::vector<std::string>{"cif"},
};

}  // namespace molbench
