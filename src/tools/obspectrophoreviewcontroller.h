// The spectrophore pane: writes the spectrophores of every molecule of an SD file with
// obspectrophore, and searches such a file for the molecules nearest to a query molecule,
// appending one line with each molecule's title and distance to a results file.
#pragma once

#include <string>
#include <vector>

#include "tools/SpectrophoreSearch.h"
#include "tools/ToolPane.h"

namespace molbench {

// Writes the spectrophores of every molecule of the input into the spectrophore file.
std::string spectrophoreGenerateCommand(const std::string& program, const std::string& inputPath,
                                        const std::string& spectrophorePath);

// Prints the query molecule's spectrophore, which the search reads from the pipe.
std::string spectrophoreQueryCommand(const std::string& program, const std::string& queryPath);

class obspectrophoreviewcontroller : public ToolPane<obspectrophoreviewcontroller> {
 public:
  explicit obspectrophoreviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obspectrophoreviewcontroller>& bindings();

  // The query's spectrophore as obspectrophore prints it: its title is the molecule file's, in
  // whatever encoding that file has, so the output is not refused for not being UTF-8.
  platform::posix::BashRun shell(const std::string& command);

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

  void inputFile(platform::Control* sender);
  void chooseSpectrophorefile(platform::Control* sender);
  void generateObspectrophore(platform::Control* sender);
  void chooseQueryfile(platform::Control* sender);
  void runobspectrophoreSearch(platform::Control* sender);

 private:
  // The query's spectrophore record; nothing (after telling the user) when there is none.
  std::optional<SpectrophoreRecord> readQuery(const std::string& queryPath,
                                              const std::string& databasePath,
                                              const std::string& resultsPath);
  void compareWithDatabase(const std::string& databasePath, const std::string& resultsPath);
  // The chooser of a path whose other field gets the chosen path less its extension and ending.
  void chooseWithPreset(platform::Outlet<platform::TextField>& target, const char* extension,
                        platform::Outlet<platform::TextField>* preset, const char* ending);
  void stopSearch(const std::string& reason);
  // Says it with an alert, and on standard error.
  void alert(const std::string& title, const std::string& text);
};

}  // namespace molbench
