// The tautomer pane: runs obtautomer, found beside obabel, on a SMILES file and sends what it
// prints into the output file.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

// The program, the quoted input, " > " and the quoted output.
std::string obtautomerCommand(const std::string& program, const std::string& inputPath,
                              const std::string& outputPath);

class obtautomerviewcontroller : public ToolPane<obtautomerviewcontroller> {
 public:
  using ToolPane::ToolPane;
  static const platform::Bindings<obtautomerviewcontroller>& bindings();

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
  void runObtautomer(platform::Control* sender);
};

}  // namespace molbench
