// The 3D coordinate pane: obabel generates 3D coordinates for the molecules of a file at one of
// five speeds and writes them to an output file. The reference member of the tool panes.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

struct ObgenPieces {
  std::string obabelPath;
  std::string iFileType;
  std::string inputPath;
  std::string outputPath;
  std::string speedTitle;  // a row of the speed popup ("--medium")
};

// obabel, two blanks, the quoted input, " -O ", the quoted output, " --gen3D " and the speed
// word: Open Babel takes the speed as the value of --gen3D, so the row's leading "--" goes.
std::string obgenCommand(const ObgenPieces& pieces);

class obgenviewcontroller : public ToolPane<obgenviewcontroller> {
 public:
  explicit obgenviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obgenviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string obshellCommand;
  std::string obabelPath;
  platform::Outlet<platform::PopUpButton> performance;
  const Titles& iFileTypes;
  const Titles& performanceRate;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runObgen(platform::Control* sender);
};

}  // namespace molbench
