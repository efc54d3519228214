// The obabel conversion command of the conversion pane, composed from the values of its
// controls. Convert and Check both come here, so what Check shows is what Convert runs.
#pragma once

#include <optional>
#include <string>

#include "common/FormatFlags.h"

namespace molbench {

// What the pane's controls hold when a conversion is composed. Popups are given by the title
// of their selected item ("" for none), fields by their text, boxes by whether they are on.
struct ConversionSettings : FormatSettings {
  std::string inputPath;
  std::string outputPath;
  std::string hydrogens;
  std::string pH;
  bool convertAll = true;
  std::string firstMolecule;
  std::string lastMolecule;
  std::string smartsMode;
  std::string smarts;
  std::string filterExpression;
  std::string title;
  std::string appendText;

  bool centreCoordinates = false;
  bool dativeBonds = false;
  bool uniqueOnly = false;
  bool joinMolecules = false;
  bool splitMolecules = false;
  bool canonicalOrder = false;
  bool compress = false;
  bool generate2D = false;
  bool generate3D = false;
  bool setTitle = false;
  bool appendToTitle = false;
  bool filter = false;
  bool removeSalts = false;
  // Given when the command runs as root: the bytes the file system of the shell's temporary
  // folder keeps even from root.
  std::optional<unsigned long long> scratchKeptFromRoot;
};

// The pieces of the command that the pane keeps between compositions. Some carry over when
// their control gives nothing new: `ofirstWord` while the output format is left to the
// extension, `osmartsConvert` while the SMARTS-mode popup is empty, and `zipfileextension`,
// `oTitle` and `toappend` while their boxes are off.
struct ConversionPieces : FormatFlags {
  std::string oHydrogens;
  std::string cenCordinates;
  std::string conDative;
  std::string onlyUnique;
  std::string joinmols;
  std::string splitmols;
  std::string genCanonical;
  std::string zipfile;
  std::string zipfileextension;
  std::string generate2Dmol;
  std::string generate3Dmol;
  std::string addTitle;
  std::string oTitle;
  std::string oremoveSalts;
  std::string toappend;
  std::string appendValues;
  std::string theFilterCommand;
  std::string osmartsConvert;
  std::string oconvertFrom;
  std::string oconvertTo;
};

// Updates the stored pieces from the settings and joins them into the command text. Paths
// and typed values reach obabel as exactly the arguments the user meant.
ComposedCommand composeConversion(const std::string& obabelPath, const ConversionSettings& settings,
                                  ConversionPieces& pieces);

// The code of the format obabel writes: the chosen one, else the one the output's name gives.
std::string writtenFormatCode(const ConversionPieces& pieces, const std::string& outputPath);

// Why the conversion cannot run as composed, or nothing. A split into fast-search indexes writes
// empty files and puts one index beside the input, over any file of that name.
std::optional<std::string> conversionProblem(const ConversionSettings& settings,
                                             const ConversionPieces& pieces,
                                             const std::string& outputPath);

// The molecule count of the input file: obabel reads the whole file, writes no molecules, and
// the first word of its summary line, the count, is what the command prints.
std::string composeCount(const std::string& obabelPath, const std::string& inputFormat,
                         const std::string& inputPath);

}  // namespace molbench
