// The constant tables of the Confab conformer pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObconfabFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obconfab.sdf",
    .outputExtensions = std::vector<std::string>{"sd", "sdf"},
};

// The seeds of the three value fields.
inline constexpr const char* kConfabConformers = "100000000";
inline constexpr const char* kConfabRmsdCutoff = "0.5";
inline constexpr const char* kConfabEnergyCutoff = "50";

inline constexpr const char* kConfabOriginal = " --original  ";

}  // namespace molbench
