// The constant table of the thermochemistry pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline constexpr const char* kKcalUnits = "kcal/mol";
inline constexpr const char* kKjUnits = "kJ/mol";
inline const Titles kObthermoUnits = {kKcalUnits, kKjUnits};

}  // namespace molbench
