// The Confab conformer pane: obabel generates 3D coordinates and diverse conformers with
// Confab, given a conformer count, an RMSD and an energy cut-off, optionally keeping the input
// structure as the first conformer.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

struct ObconfabPieces {
  std::string obabelPath;
  std::string iFileType;
  std::string inputPath;
  std::string outputPath;
  std::string conformers;  // the typed values, each passed as one argument
  std::string rmsdCutoff;
  std::string energyCutoff;
  std::string includeInputStructure;  // " --original  " or ""
};

std::string obconfabCommand(const ObconfabPieces& pieces);

class obconfabviewcontroller : public ToolPane<obconfabviewcontroller> {
 public:
  explicit obconfabviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obconfabviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string theoutputFileType;
  std::string oFileType;
  std::string obabelPath;
  std::string obshellCommand;
  std::string numConfs;
  std::string rCuttoff;
  std::string eCutoff;
  std::string includeInputStructure;
  platform::Outlet<platform::TextField> rcutoff;
  platform::Outlet<platform::TextField> ecutoff;
  platform::Outlet<platform::TextField> numconfs;
  platform::Outlet<platform::Button> incInputstructure;
  const Titles& iFileTypes;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runobConfab(platform::Control* sender);
};

}  // namespace molbench
