// The probe-grid pane: runs obprobe with a probe atom's MMFF94 type and partial charge on a
// structure file; obprobe writes the grid as a cube file next to the input. The pane carries a
// reference list of MMFF atom types and opens the document that describes them.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

// " -s " and the step size, or "" when the field is empty.
std::string probeStepsOption(const std::string& steps);
// " -p " and the padding, or "" when the field is empty.
std::string probePaddingOption(const std::string& padding);

struct ObprobePieces {
  std::string program;  // the head word
  std::string stepsOption;
  std::string paddingOption;
  std::string atomType;
  std::string partialCharge;
  std::string inputPath;
};

// The program, the two options, then the atom type, the partial charge and the quoted input:
// obprobe reads its options only before its other arguments. An empty type or charge stays one
// (empty) argument, so the others keep their places.
std::string obprobeCommand(const ObprobePieces& pieces);

class obprobeviewcontroller : public ToolPane<obprobeviewcontroller> {
 public:
  explicit obprobeviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obprobeviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  std::string obshellCommand;
  std::string obabelPath;
  platform::Outlet<platform::PopUpButton> mmffAtomtypes;
  platform::Outlet<platform::TextField> steps;
  platform::Outlet<platform::TextField> padding;
  platform::Outlet<platform::TextField> atomType;
  platform::Outlet<platform::TextField> partialCharge;
  std::string theStepsOption;
  std::string thepaddingOption;
  const Titles& iFileTypes;
  const Titles& MMFFatypes;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void runObprobe(platform::Control* sender);
  void linkToMMFF(platform::Control* sender);

 private:
  // The atom type and charge are ones obprobe reads, and the grid file beside the input can be
  // written; else an alert says which is wrong.
  bool probeAccepted();
};

}  // namespace molbench
