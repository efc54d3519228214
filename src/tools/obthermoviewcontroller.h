// The thermochemistry pane: obthermo reads the thermochemistry of a quantum-chemistry log file
// and the pane adds each report to its report view.
#pragma once

#include <optional>
#include <string>

#include "tools/ToolPane.h"

namespace molbench {

// obthermo's own spellings of its options.
inline constexpr const char* kSymmetryOption = " --symm ";
inline constexpr const char* kRotorsOption = " --nrot ";
inline constexpr const char* kDerivativeOption = " --dbdt ";

// "" for "kcal/mol", " --kj " for "kJ/mol", nothing for any other title (the caller keeps the
// piece it had).
std::optional<std::string> obthermoUnitsPiece(const std::string& unitsTitle);

// The option followed by the typed value as one argument; "" when the field is empty. A value
// of blanks counts as typed.
std::string obthermoValuePiece(const char* option, const std::string& text);

struct ObthermoPieces {
  std::string head = {};  // the obthermo program as one shell word
  std::string inputPath = {};
  std::string obunits = {};
  std::string symNum = {};
  std::string numRots = {};
  std::string tempDerivative = {};
};

// The program, a blank, the quoted input, the units piece, then a blank before each of the
// three value pieces.
std::string obthermoCommand(const ObthermoPieces& pieces);

class obthermoviewcontroller : public ToolPane<obthermoviewcontroller> {
 public:
  explicit obthermoviewcontroller(platform::Platform& platform);
  static const platform::Bindings<obthermoviewcontroller>& bindings();

  platform::Outlet<platform::TextField> inputFilepath;
  platform::Outlet<platform::PopUpButton> outputunits;
  platform::Outlet<platform::TextField> symmetryNumber;
  platform::Outlet<platform::TextField> numRotbonds;
  platform::Outlet<platform::TextField> tempDeriv;
  platform::Outlet<platform::TextView> obthermoText;
  std::string iFilepath;
  // The option pieces of the last command.
  std::string obunits;
  std::string symNum;
  std::string numRots;
  std::string tempDerivative;
  std::string obabelPath;
  std::string obshellCommand;
  std::string obshellResult;
  const Titles& outputUnits;

  // Reports are shown whatever bytes they hold (see ReportShell.h).
  platform::posix::BashRun shell(const std::string& command);

  void viewDidLoad() override;
  // The input chooser, sent as "inputFilepath:" (the input field's outlet has that name).
  void chooseInputFile(platform::Control* sender);
  void runObthermo(platform::Control* sender);

 private:
  std::string composeRun(const std::string& head, const std::string& input);
};

}  // namespace molbench
