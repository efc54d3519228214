// The symmetry pane: obsym finds the point group of the structures of a CIF file and writes
// them symmetrised, through the shell's redirection, into an output file.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

// The program, a blank, the quoted input, " > " and the quoted output.
std::string obsymCommand(const std::string& head, const std::string& inputPath,
                         const std::string& outputPath);

class obsymviewcontroller : public ToolPane<obsymviewcontroller> {
 public:
  explicit obsymviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obsymviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string obshellCommand;
  std::string obabelPath;

  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runObsym(platform::Control* sender);
};

}  // namespace molbench
