// The fitting pane: obabel aligns the molecules of the input file onto a template molecule by
// the atoms that a SMARTS pattern matches, optionally appending each RMSD to the title.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

inline constexpr const char* kAppendRmsdPiece = " --append rmsd  ";

struct ObfitPieces {
  std::string obabelPath;
  std::string templatePath;  // no template piece when empty
  std::string iFileType;
  std::string inputPath;
  std::string outputPath;
  std::string smarts;
  std::string incRMSD;  // " --append rmsd  " or ""
};

// The template is read before the input, so "--align" fits the input's molecules onto it.
std::string obfitCommand(const ObfitPieces& pieces);

class obfitviewcontroller : public ToolPane<obfitviewcontroller> {
 public:
  explicit obfitviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obfitviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string obshellCommand;
  std::string obabelPath;
  platform::Outlet<platform::TextField> templateFilePath;
  platform::Outlet<platform::TextField> smartsString;
  platform::Outlet<platform::Button> includeRMSD;
  std::string templateFilepath;
  std::string incRMSD;
  std::string smartsstring;
  const Titles& iFileTypes;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void templateFileSelect(platform::Control* sender);
  void runObfit(platform::Control* sender);
};

}  // namespace molbench
