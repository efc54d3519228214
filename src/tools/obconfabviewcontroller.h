// The Confab conformer pane: obabel generates diverse conformers with Confab, given a conformer
// count, an RMSD and an energy cut-off, optionally keeping the input structure as the first
// conformer. Molecules without 3D coordinates get them first.
#pragma once

#include <string>

#include "tools/FlatMolecules.h"
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
  // Some molecule of the input is flat (SMILES or a 2D drawing): obabel makes 3D coordinates
  // for it in a run of its own before Confab, and only for the flat ones where others are 3D.
  CoordinatesToMake makeCoordinates = false;
};

// obabel, the input-format flag, the quoted input, " -O ", the quoted output, " --gen3D
// --confab", then the count, the cut-offs and the input-structure switch. Confab works on the
// coordinates it reads, and within one run Open Babel 3.1.1 applies it before --gen3D, so to
// make coordinates the first obabel writes the input with --gen3D as SD text into a second
// that runs Confab.
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
