// The obrms command of the RMSD pane.
#pragma once

#include <string>

namespace molbench {

inline constexpr const char* kFirstOnlyPiece = " --firstonly";

// The first-only piece when the box is on, else "".
std::string firstOnlyPiece(bool firstOnly);

// The program, a blank, the first-only piece, a blank, the quoted reference and test paths.
std::string rmsdCommand(const std::string& programPath, const std::string& chooseFirst,
                        const std::string& referencePath, const std::string& testPath);

}  // namespace molbench
