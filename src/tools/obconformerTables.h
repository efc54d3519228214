// The tables of the conformer search pane.
#pragma once

#include "tools/ToolTables.h"

namespace molbench {

inline const ToolFiles kObconformerFiles{
    .inputExtensions = kStructureExtensions,
    .defaultOutput = "/obconformer.sdf",
    .outputExtensions = std::vector<std::string>{"sd", "sdf"},
};

// Row 0 stands for no search method: the pane then runs Open Babel's genetic algorithm.
inline const Titles kConfMethods = {"Choose", "--systematic", "--random", "--weighted", "--fast"};
inline const Titles kScoringFunctions = {"rmsd", "energy"};

// The seeds of the value fields.
inline constexpr const char* kConformerCount = "25";
inline constexpr const char* kGaChildren = "5";
inline constexpr const char* kGaMutability = "5";
inline constexpr const char* kGaConvergence = "";

}  // namespace molbench
