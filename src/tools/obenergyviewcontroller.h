// The energy pane: obabel computes the force-field energy of each molecule of a file and
// either shows the report in the pane or writes it to a report file.
#pragma once

#include <optional>
#include <string>

#include "tools/ToolPane.h"

namespace molbench {

// The report piece both commands share: text output, the energy appended to the title.
inline constexpr const char* kEnergyReportPiece = " -otxt --energy --append \"Energy\"";

// obabel, two blanks, the quoted input, the report piece, " --ff " and the force field.
std::string obenergyCommand(const std::string& head, const std::string& iFileType,
                            const std::string& inputPath, const std::string& forceFieldTitle);

// The same with " -O " and the quoted report file in front of " --ff ".
std::string obenergySaveCommand(const std::string& head, const std::string& iFileType,
                                const std::string& inputPath, const std::string& outputPath,
                                const std::string& forceFieldTitle);

class obenergyviewcontroller : public ToolPane<obenergyviewcontroller> {
 public:
  explicit obenergyviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obenergyviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  platform::Outlet<platform::TextField> outputFilepath;
  platform::Outlet<platform::TextField> obEnergyText;
  platform::Outlet<platform::PopUpButton> forceField;
  std::string obabelPath;
  std::string obshellCommand;
  std::string iFileType;
  std::string obEnergyresult;
  const Titles& forcefield;
  const Titles& iFileTypes;

  // Reports are shown whatever bytes they hold (see ReportShell.h). The shown report carries
  // the program's messages too: obabel leaves out a molecule its force field cannot type, and
  // says so only on standard error. The saved report is the file alone.
  platform::posix::BashRun shell(const std::string& command);

  void viewDidLoad() override;
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void runObenergy(platform::Control* sender);
  void saveEnergy(platform::Control* sender);

 private:
  bool reportShown_ = false;  // the run's report goes to the pane's view
};

}  // namespace molbench
