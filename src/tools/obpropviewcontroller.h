// The properties pane: obprop writes a report of each molecule's properties (formula, masses,
// SMILES, InChI, counts, logP, PSA, MR), which the shell sends into a report file.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

// The program, two blanks, the quoted input, " > " and the quoted report file.
std::string obpropCommand(const std::string& head, const std::string& iFileType,
                          const std::string& inputPath, const std::string& outputPath);

class obpropviewcontroller : public ToolPane<obpropviewcontroller> {
 public:
  explicit obpropviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obpropviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string obshellCommand;
  std::string obabelPath;
  const Titles& iFileTypes;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runObprop(platform::Control* sender);
};

}  // namespace molbench
