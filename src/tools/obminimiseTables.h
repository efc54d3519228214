// The constant tables and stored defaults of the minimisation pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObminimiseFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obminimise.sdf",
    .outputExtensions = std::nullopt,
};

// The algorithm switches of obabel's --minimize: conjugate gradients (obabel's own default),
// steepest descent, or the Newton line search.
inline const Titles kMinimiseAlgorithms = {"--cg", "--sd", "--newton"};

inline constexpr int kMinimiseForceFieldPreselected = 2;  // "MMFF94"

}  // namespace molbench
