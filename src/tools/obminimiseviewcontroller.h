// The minimisation pane: obabel minimises the force-field energy of the structures of a file
// with a chosen algorithm and force field and writes them to an output file.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

struct ObminimisePieces {
  std::string head = {};  // the obabel path as stored
  std::string iFileType = {};
  std::string inputPath = {};
  std::string outputPath = {};
  std::string steps = {};
  std::string algorithmTitle = {};  // "--cg", "--sd" or "--newton"
  std::string forceFieldTitle = {};
  std::string convergence = {};
  std::string vdwCutoff = {};
  std::string electrostaticCutoff = {};
  std::string nonBondedUpdateFrequency = {};
};

// obabel, two blanks, the quoted input, " -O ", the quoted output, " --minimize ", then
// " --steps " and the steps, the algorithm, " --ff ", " --crit ", " --rvdw ", " --rele " and
// " --freq " each with its value. Every typed value reaches obabel as one argument, an empty
// one as '' so that its option never takes the next option as its value.
std::string obminimiseCommand(const ObminimisePieces& pieces);

class obminimiseviewcontroller : public ToolPane<obminimiseviewcontroller> {
 public:
  explicit obminimiseviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obminimiseviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  platform::Outlet<platform::TextField> outputFilepath;
  platform::Outlet<platform::PopUpButton> forceField;
  platform::Outlet<platform::PopUpButton> algorithm;
  platform::Outlet<platform::TextField> steps;
  platform::Outlet<platform::TextField> convergence;
  platform::Outlet<platform::TextField> vdwCutoff;
  platform::Outlet<platform::TextField> electrostaticCutoff;
  platform::Outlet<platform::TextField> nonBondedupdatefreq;
  std::string iFileType;
  std::string obshellCommand;
  std::string obabelPath;
  // The values the fields start with; editing a field leaves these as they are.
  std::string numSteps = "2500";
  std::string convergenceCriterion = "1e-6";
  std::string vdwcutoff = "6";
  std::string electrostaticcutoff = "10.0";
  std::string nonbondedupdatefreq = "10";
  const Titles& iFileTypes;
  const Titles& forcefield;
  const Titles& Algorithm;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runObminimise(platform::Control* sender);
};

}  // namespace molbench
