// Tables that several tool panes carry: the input-format rows and the force fields. Each pane
// keeps its own reference under its own member name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/FormatTables.h"

namespace molbench {

// The tool panes' input-format popup. In the panes that run obabel itself a row other than
// "Choose" gives the command obabel's "-i" flag for its code; the programs beside obabel read
// a format only from the file's name, so there the pick enters no command. Nor does it in the
// fit, whose "-i" would apply to its template as well.
inline const Titles kToolInputFormats = {
    "Choose",
    "mol -- MDL MOL format",
    "mol2 -- Sybyl Mol2 format",
    "sd -- MDL MOL format",
    "sdf -- MDL MOL format",
    "smi -- SMILES",
    "smiles -- SMILES",
};

// The same without the SMILES rows, for the tools that need coordinates to start from.
inline const Titles kToolInputFormatsNoSmiles = {
    "Choose",
    "mol -- MDL MOL format",
    "mol2 -- Sybyl Mol2 format",
    "sd -- MDL MOL format",
    "sdf -- MDL MOL format",
};

inline const Titles kForceFields = {"GAFF", "Ghemical", "MMFF94", "MMFF94s", "UFF"};

using Extensions = std::optional<std::vector<std::string>>;

inline const Extensions kStructureExtensions =
    std::vector<std::string>{"mol", "mol2", "sd", "sdf", "smi", "smiles"};

// What a tool pane's two choosers offer and preset.
struct ToolFiles {
  Extensions inputExtensions;  // none: every file
  // The file name that the input chooser puts in the output field after the chosen item's
  // folder ("/obgen3D.sdf"); empty when it presets nothing.
  std::string defaultOutput;
  Extensions outputExtensions;
  // The program writes in its input's format: the preset takes the input's extension.
  bool outputInInputFormat = false;
};

}  // namespace molbench
