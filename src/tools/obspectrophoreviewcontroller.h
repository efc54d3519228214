// The spectrophore pane: writes the spectrophores of every molecule of an SD file with
// obspectrophore, and searches such a file for the molecules nearest to a query molecule,
// appending one line with each molecule's title and distance to a results file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Bindings.h"

namespace molbench {

class obspectrophoreviewcontroller
    : public platform::BoundViewController<obspectrophoreviewcontroller> {
 public:
  explicit obspectrophoreviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obspectrophoreviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::TextField> spectrophoreFilepath;
  platform::Outlet<platform::TextField> queryMolpath;
  platform::Outlet<platform::TextField> searchResultspath;
  std::string obabelPath;
  std::string obshellCommand;
  std::string obshellResult;
  std::string queryMoltitle;
  std::vector<std::string> mol1array;
  std::vector<double> mol1Doubles;
  std::string mainMoltitle;
  std::vector<std::string> mainMolarray;
  std::vector<std::string> molRecord;
  std::vector<double> molDouble;

  std::optional<std::string> shell(const std::string& command);
  void inputFile(platform::Control* sender);
  void chooseSpectrophorefile(platform::Control* sender);
  void generateObspectrophore(platform::Control* sender);
  void chooseQueryfile(platform::Control* sender);
  void runobspectrophoreSearch(platform::Control* sender);

 private:
  // Reads the query's spectrophore; false (after telling the user) when there is none.
  bool readQuery(const std::string& program, const std::string& queryPath);
  void compareWithDatabase(const std::string& databasePath, const std::string& resultsPath);
  void stopSearch(const std::string& reason);
};

}  // namespace molbench
