// The constant tables of the fitting pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObfitFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obfit.sdf",
    .outputExtensions = std::nullopt,
};

}  // namespace molbench
