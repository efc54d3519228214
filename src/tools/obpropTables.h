// The constant tables of the properties pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

// The report is text, so the output chooser offers text files.
inline const ToolFiles kObpropFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obprop.txt",
    .outputExtensions = std::vector<std::string>{"txt"},
};

}  // namespace molbench
