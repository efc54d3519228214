// The molecule file viewer: lists the molecules of a file in a table, depicts the clicked row
// with obabel (a SMARTS match in red), narrows the table to the molecules matching a SMARTS,
// exports selected rows into one SD file and turns a file of names into a SMILES file through
// PubChem.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/RunFailure.h"
#include "platform/Bindings.h"
#include "platform/FileUrl.h"
#include "viewer/molecule.h"

namespace molbench {

namespace platform {
class SendTurns;
}
class RequestPacer;

class ViewerController : public platform::BoundViewController<ViewerController> {
 public:
  explicit ViewerController(platform::Platform& platform);
  ~ViewerController() override;
  static const platform::Bindings<ViewerController>& bindings();

  platform::Outlet<platform::ArrayController> chemdataArraycontroller;
  platform::Outlet<platform::WebView> molView;
  platform::Outlet<platform::TableView> tableView;
  platform::Outlet<platform::TextField> selectedCount;
  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> inputFiletype;
  platform::Outlet<platform::TextField> outputFilepath;
  platform::Outlet<platform::TextField> smartsString;
  platform::Outlet<platform::PopUpButton> matchOrnot;

  std::vector<molecule> chemdataArray;
  std::string oFilepath;
  std::string iFileType;
  std::string obabelPath;
  std::string obshellCommand;
  std::string obshellresult;
  std::string obshellcountCommand;
  std::string obshelljoinCommand;
  std::string obshellcount;
  std::string obabelSel;
  std::vector<std::string> themols{""};
  std::string molName;
  int64_t numMols = 0;
  std::vector<std::string> themolsForPubchem{""};
  std::string escapedString;
  std::string searchText;
  std::string searchResults;
  std::string smartsQuery;
  std::string osmartsConvert;
  std::string addSMARTScol;
  const platform::FileUrl temporaryDirectory;
  const std::vector<std::string>& iFileTypes;
  const std::vector<std::string>& matchOrnotchoice;

  // PubChem allows 5 requests a second, counted as they reach it. Requests are sent at least
  // this far apart, each once its connection is open, and started as far apart so that a long
  // list keeps few connections open; the margin over 200 ms absorbs the network's jitter. Tests
  // raise the rate.
  std::chrono::milliseconds pubchemRequestSpacing{250};

  // Runs a command with /bin/bash -c; what it wrote to standard output, bytes that are not
  // UTF-8 replaced, so one odd title never loses a whole listing. Nothing when bash could not
  // start or a failure was said (the failures named are said with an alert).
  std::optional<std::string> shell(const std::string& command, Failures failures);

  void inputFileSelect(platform::Control* sender);
  void outputFileSeelct(platform::Control* sender);
  void tableClicked(platform::Control* sender);
  void importData(platform::Control* sender);
  void getPubchemlist(platform::Control* sender);
  void exportSelected(platform::Control* sender);
  void smartsFilter(platform::Control* sender);
  void undoFilter(platform::Control* sender);
  void loadEditor(platform::Control* sender);
  void deleteAll(platform::Control* sender);
  void viewDidLoad() override;

 private:
  std::optional<std::string> runCommand(const std::string& command, Failures failures);
  void showDepiction(const RowMolecule& row);
  // After an import, a filter or a clearing: no row is selected, and the count says so.
  void rowsShownAnew();
  void requestSmiles(const std::string& name, const std::string& resultPath);

  // The array controller lives as long as the pane, whoever else lets it go.
  std::shared_ptr<platform::ArrayController> keptArrayController_;
  std::unique_ptr<RequestPacer> pacer_;
  // Shared by every list this pane asks for, so two lists at once keep the rate between them.
  std::shared_ptr<platform::SendTurns> pubchemSends_;
};

}  // namespace molbench
