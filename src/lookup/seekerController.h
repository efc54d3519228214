// The lookup pane: looks a structure up by name or identifier at CIR, PubChem or the PDB,
// shows the service's picture, fills its SMILES and InChIKey, opens UniChem's page for the
// InChIKey, draws the SMILES in 2D with obabel and shows it in 3D with 3Dmol.js.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Bindings.h"
#include "platform/FileUrl.h"

namespace molbench {

class seekerController : public platform::BoundViewController<seekerController> {
 public:
  explicit seekerController(platform::Platform& platform);
  static const platform::Bindings<seekerController>& bindings();

  platform::Outlet<platform::PopUpButton> queryEngine;
  platform::Outlet<platform::WebView> molView;
  platform::Outlet<platform::TextField> smilesString;
  platform::Outlet<platform::TextField> inChiKeystring;
  platform::Outlet<platform::TextField> queryString;

  std::string obabelPath;
  std::string obshellCommand;
  std::string searchEngine;
  std::string escapedString;
  std::string escapedInchi;
  // The active service's address pieces: base, then what follows the encoded query.
  std::string engineLink;
  std::string molRepresention;
  std::string molSMILES;
  std::string molInhikey;

  const platform::FileUrl temporaryDirectory;
  const std::vector<std::string>& searchEngines;

  // Runs a command with /bin/bash -c; what it wrote to standard output.
  std::optional<std::string> shell(const std::string& command);

  void queryEngineChanged(platform::Control* sender);
  void cirSearch(platform::Control* sender);
  void getSMILES(platform::Control* sender);
  void searchUnichem(platform::Control* sender);
  void loadTestImage(platform::Control* sender);
  void display3D(platform::Control* sender);
  void viewDidLoad() override;

 private:
  // The base of the active engine on the hosts as they are now.
  void refreshEngineLink();
  void showPdbPage();
  void showThreeDView();
};

}  // namespace molbench
