// The constant tables of the 3D coordinate pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObgenFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obgen3D.sdf",
    .outputExtensions = std::nullopt,
};

// The speed popup. Open Babel 3.1.1 writes the molecule flat (all coordinates 0, with a
// warning) for "fastest" and "fast"; the other speeds give 3D coordinates.
inline const Titles kPerformanceRate = {"--fastest", "--fast", "--medium", "--better", "--best"};
inline constexpr int kPerformancePreselected = 2;

}  // namespace molbench
