// The obabel command of the fitting pane: the template is read first, so "--align" fits the
// input's molecules onto it.
#pragma once

#include <string>

namespace molbench {

inline constexpr const char* kAppendRmsdPiece = " --append rmsd  ";

// The RMSD piece when the box is on, else "".
std::string appendRmsdPiece(bool includeRmsd);

struct FitPieces {
  std::string obabelPath;
  std::string templatePath;  // no template piece when empty
  std::string iFileType;
  std::string inputPath;
  std::string outputPath;
  std::string smarts;
  std::string incRMSD;
};

std::string fitCommand(const FitPieces& pieces);

}  // namespace molbench
