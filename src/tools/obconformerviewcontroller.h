// The conformer search pane: obabel searches the conformers of the input's molecules, with a
// force-field search method and force field, or, while no method is chosen, with Open Babel's
// genetic algorithm (children, mutability, convergence, score). Molecules without 3D coordinates
// get them first.
#pragma once

#include <string>

#include "tools/FlatMolecules.h"
#include "tools/ToolPane.h"

namespace molbench {

struct ObconformerPieces {
  std::string obabelPath;
  std::string iFileType;
  std::string inputPath;
  std::string outputPath;
  std::string conformers;
  std::string method;  // a row of the method popup
  std::string forceField;
  std::string children;
  std::string mutability;
  std::string convergence;  // left out when empty
  std::string score;
  // Some molecule of the input is flat (SMILES or a 2D drawing): obabel makes 3D coordinates
  // for it in a run of its own before the search, and only for the flat ones where others are 3D.
  CoordinatesToMake makeCoordinates = true;
};

// True for the four force-field search methods ("--systematic", …).
bool isSearchMethod(const std::string& methodTitle);

// obabel, the input-format flag, the quoted input, " -O ", the quoted output, " --conformer ",
// " --nconf " and the count; then the method and " --ff " with the force field, or the genetic
// algorithm's options when no search method is chosen. To make coordinates, the first obabel
// writes the input with --gen3D as SD text into a second that searches: Open Babel 3.1.1 runs
// --conformer before --gen3D within one run, so the search would be thrown away.
std::string obconformerCommand(const ObconformerPieces& pieces);

class obconformerviewcontroller : public ToolPane<obconformerviewcontroller> {
 public:
  explicit obconformerviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obconformerviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  platform::Outlet<platform::TextField> outputFilepath;
  platform::Outlet<platform::TextField> numConformations;
  platform::Outlet<platform::PopUpButton> confGenMethod;
  platform::Outlet<platform::PopUpButton> forceField;
  platform::Outlet<platform::TextField> gachildren;
  platform::Outlet<platform::TextField> gaconvergence;
  platform::Outlet<platform::TextField> gamutability;
  platform::Outlet<platform::PopUpButton> oaScore;
  std::string iFileType;
  // True while no search method is chosen: a run then uses the genetic algorithm.
  bool gamethod = true;
  std::string numConfs;
  std::string numChildren;
  std::string numMutability;
  std::string numConvergence;
  std::string obabelPath;
  std::string obshellCommand;
  const Titles& iFileTypes;
  const Titles& confMethod;
  const Titles& forcefield;
  const Titles& oascoringfunction;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void cinfGenchosen(platform::Control* sender);
  void runObconformer(platform::Control* sender);
};

}  // namespace molbench
