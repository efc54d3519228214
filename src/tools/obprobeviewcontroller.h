// The probe-grid pane: runs obprobe with a probe atom's MMFF94 type and partial charge on a
// structure file; obprobe writes the grid as a cube file next to the input. The pane carries a
// reference list of MMFF atom types and opens the document that describes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Bindings.h"

namespace molbench {

class obprobeviewcontroller : public platform::BoundViewController<obprobeviewcontroller> {
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
  const std::vector<std::string>& iFileTypes;
  const std::vector<std::string>& MMFFatypes;

  std::optional<std::string> shell(const std::string& command);
  void inputFileSelect(platform::Control* sender);
  void runObprobe(platform::Control* sender);
  void linkToMMFF(platform::Control* sender);
  void viewDidLoad() override;
};

}  // namespace molbench
