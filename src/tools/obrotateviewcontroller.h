// The torsion rotation pane: runs obrotate, found beside obabel, to set the torsion that four
// atoms of a SMARTS match define to an angle, and sends the rotated structures into a file.
#pragma once

#include <string>

#include "tools/ToolPane.h"

namespace molbench {

struct ObrotatePieces {
  std::string program;
  std::string smarts;
  std::string iFileType;
  std::string inputPath;
  std::string atoms;  // atom numbers separated by blanks, each its own argument
  std::string angle;
  std::string outputPath;
};

// The program, the quoted SMARTS, two blanks, the quoted input, the atoms, the angle, " > " and
// the quoted output.
std::string obrotateCommand(const ObrotatePieces& pieces);

class obrotateviewcontroller : public ToolPane<obrotateviewcontroller> {
 public:
  explicit obrotateviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obrotateviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string obshellCommand;
  std::string obabelPath;
  platform::Outlet<platform::TextField> atomsDihedral;
  platform::Outlet<platform::TextField> angleDihedral;
  platform::Outlet<platform::TextField> smartsDihedral;
  const Titles& iFileTypes;

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runObroate(platform::Control* sender);

 private:
  void sayNumberlessCoordinates(const std::string& output);
};

}  // namespace molbench
