// The constant tables of the energy pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

// The report is text (obabel's txt format), so the output chooser offers text files.
inline const ToolFiles kObenergyFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obenergy.txt",
    .outputExtensions = std::vector<std::string>{"txt"},
};

inline constexpr int kEnergyForceFieldPreselected = 2;  // "MMFF94"

}  // namespace molbench
