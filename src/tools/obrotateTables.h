// The tables of the torsion rotation pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObrotateFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obrotate.sdf",
    .outputExtensions = std::nullopt,
    .outputInInputFormat = true,
};

}  // namespace molbench
