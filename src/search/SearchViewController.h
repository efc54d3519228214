// The search pane: filters a molecule file by SMARTS into an output file, builds an Open Babel
// fast-search index (".fs") of a file and searches it, and shows the JSME editor for drawing.
#pragma once

#include <optional>
#include <string>

#include "common/FormatTables.h"
#include "platform/Bindings.h"
#include "platform/FileUrl.h"

namespace molbench {

class SearchViewController : public platform::BoundViewController<SearchViewController> {
 public:
  explicit SearchViewController(platform::Platform& platform);
  static const platform::Bindings<SearchViewController>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  platform::Outlet<platform::PopUpButton> inputFileoptions;
  std::string iFilepath;
  std::string theinputFileType;
  std::string iFileType;
  std::string iFileTypeOption;
  std::string istringOpt;
  platform::Outlet<platform::TextField> outputFilepath;
  platform::Outlet<platform::PopUpButton> outputFiletype;
  platform::Outlet<platform::PopUpButton> outputFileoptions;
  std::string oFilepath;
  std::string theoutputFileType;
  std::string oFileType;
  std::string ofirstWord;
  std::string oFileTypeOption;
  std::string ostringOpt;
  platform::Outlet<platform::TextField> obabelCommand;
  const platform::FileUrl temporaryDirectory;
  platform::Outlet<platform::WebView> molView;
  platform::Outlet<platform::TextField> smartsSearch;
  platform::Outlet<platform::PopUpButton> smartsSearchoptions;
  platform::Outlet<platform::TextField> similarityScore;
  std::string syntaxSimscore;
  platform::Outlet<platform::TextField> fssearchPath;
  std::string ofssearchFilepath;
  std::string osmartsConvert;
  std::string obabelPath;
  std::string obshellCommand;
  platform::Outlet<platform::TextField> obabelText;

  // The format lists and option tables shared with the conversion pane; this pane fills only
  // its own popups from them.
  const Titles& iFileTypes;
  const Titles& oFileTypes;
  const Titles& inputMenuRead;
  const Titles& inputMenuCif;
  const Titles& inputMenuMdl;
  const Titles& inputMenuInchi;
  const Titles& inputMenuSmiles;
  const Titles& inputMenuMol2;
  const Titles& outputMenuCml;
  const Titles& outputMenuCmlreact;
  const Titles& outputMenuFasta;
  const Titles& outputMenuFpt;
  const Titles& outputMenuMop;
  const Titles& outputMenuMdl;
  const Titles& outputMenuMpd;
  const Titles& outputMenuSmi;
  const Titles& outputMenuCan;
  const Titles& outputMenuPov;
  const Titles& outputMenuPubchem;
  const Titles& outputMenuChemDo;
  const Titles& outputMenuSybmol2;
  const Titles& outputMenuPdb;
  const Titles& outputMenuPng;
  const Titles& outputMenuInchi;
  const Titles& smartSearchmenuoptions;

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
  // The SMARTS fragment for the current mode; kept as it was when the mode popup is empty.
  void updateSmartsFragment();
  std::string composeFileSearch();
};

}  // namespace molbench
