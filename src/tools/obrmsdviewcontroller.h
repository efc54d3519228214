// The RMSD pane: runs obrms on a reference file and a test file and shows its report.
#pragma once

#include <optional>
#include <string>

#include "tools/ToolPane.h"

namespace molbench {

inline constexpr const char* kFirstOnlyPiece = " --firstonly";

// The program, a blank, the first-only piece (" --firstonly" or ""), a blank, the quoted
// reference and test paths.
std::string obrmsCommand(const std::string& program, const std::string& chooseFirst,
                         const std::string& referencePath, const std::string& testPath);

class obrmsdviewcontroller : public ToolPane<obrmsdviewcontroller> {
 public:
  explicit obrmsdviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obrmsdviewcontroller>& bindings();

  platform::Outlet<platform::TextField> referenceFile;
  platform::Outlet<platform::TextField> testFile;
  platform::Outlet<platform::Button> chooseFirstonly;
  platform::Outlet<platform::TextView> obrmsResult;
  std::string chooseFirst;
  std::string obabelPath;
  std::string obshellCommand;
  std::string obshellResult;

  platform::posix::BashRun shell(const std::string& command);

  void inputReferenceFile(platform::Control* sender);
  void inputTestfFile(platform::Control* sender);
  void runOpbrmsd(platform::Control* sender);
};

}  // namespace molbench
