// The fitting pane: obabel aligns the molecules of the input file onto a template molecule by
// the atoms that a SMARTS pattern matches, optionally appending each RMSD to the title.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Bindings.h"

namespace molbench {

class obfitviewcontroller : public platform::BoundViewController<obfitviewcontroller> {
 public:
  explicit obfitviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obfitviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  platform::Outlet<platform::TextField> outputFilepath;
  std::string oFilepath;
  std::string obshellCommand;
  std::string obabelPath;
  platform::Outlet<platform::TextField> templateFilePath;
  platform::Outlet<platform::TextField> smartsString;
  platform::Outlet<platform::Button> includeRMSD;
  std::string templateFilepath;
  std::string incRMSD;
  std::string smartsstring;
  const std::vector<std::string>& iFileTypes;

  std::optional<std::string> shell(const std::string& command);
  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void templateFileSelect(platform::Control* sender);
  void runObfit(platform::Control* sender);
  void viewDidLoad() override;
};

}  // namespace molbench
