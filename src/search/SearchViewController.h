// The search pane: filters a molecule file by SMARTS into an output file, builds an Open Babel
// fast-search index (".fs") of a file and searches it, and shows the JSME editor for drawing.
#pragma once

#include <optional>
#include <string>

#include "common/FormatChoice.h"
#include "common/FormatTables.h"
#include "platform/Bindings.h"
#include "platform/FileUrl.h"
#include "search/SearchCommands.h"

namespace molbench {

// The stored command pieces come from SearchPieces, so the composition can update them
// without a window.
class SearchViewController : public platform::BoundViewController<SearchViewController>,
                             public SearchPieces,
                             public FormatTableNames,
                             public FileFormatControls {
 public:
  explicit SearchViewController(platform::Platform& platform);
  static const platform::Bindings<SearchViewController>& bindings();

  template <class T>
  using Outlet = platform::Outlet<T>;
  using TextField = platform::TextField;
  using PopUpButton = platform::PopUpButton;

  std::string iFilepath, theinputFileType, istringOpt;
  std::string oFilepath, theoutputFileType, ostringOpt;
  Outlet<TextField> obabelCommand;
  const platform::FileUrl temporaryDirectory;
  Outlet<platform::WebView> molView;
  Outlet<TextField> smartsSearch;
  Outlet<PopUpButton> smartsSearchoptions;
  Outlet<TextField> similarityScore;
  Outlet<TextField> fssearchPath;
  std::string ofssearchFilepath, obabelPath, obshellCommand;
  Outlet<TextField> obabelText;

  const Titles& smartSearchmenuoptions = formatTables().smartConvertmenuoptions;

  // Runs a command with /bin/bash -c; what it wrote to standard output.
  std::optional<std::string> shell(const std::string& command);

  void inputFileSelect(platform::Control* sender);
  void outputFileSelect(platform::Control* sender);
  void inputFileTypeChosen(platform::Control* sender);
  void outputFileTypeChosen(platform::Control* sender);
  void loadEditor(platform::Control* sender);
  void checkObabel(platform::Control* sender);
  void createFS(platform::Control* sender);
  void chooseFSfile(platform::Control* sender);
  void runFSsearch(platform::Control* sender);
  void viewDidLoad() override;

 private:
  QuerySettings readQuery() const;
  FileSearchSettings readFileSearch() const;
  // The index search's checks, each refusal with its alert.
  bool indexSearchAccepted(const std::string& indexPath, const std::string& outputPath,
                           const QuerySettings& query);
};

}  // namespace molbench
