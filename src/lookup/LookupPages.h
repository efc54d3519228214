// The two 3Dmol.js pages of the lookup pane: the 3D view of a structure given as SD text, and
// the page that names a PDB entry for 3Dmol.js to fetch. Both load "3Dmol-min.js" from the
// web resources.
#pragma once

#include <string>

namespace molbench {

inline constexpr const char* kThreeDViewPageName = "the3Dview.htm";
inline constexpr const char* kPdbPageName = "the3Dwebview.htm";

// The 3D view page with the SD text in its hidden text area.
std::string threeDViewPage(const std::string& webResourceBase, const std::string& sdText);

// The page whose viewer names the PDB entry.
std::string pdbEntryPage(const std::string& webResourceBase, const std::string& entryIdentifier);

}  // namespace molbench
