#include "convert/ConversionCommand.h"

#include "common/CommandFragments.h"
#include "common/FormatTables.h"
#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

void setSwitch(std::string& piece, bool on, const std::string& text) {
  piece = on ? text : std::string();
}

void updateSwitches(const ConversionSettings& s, ConversionPieces& p) {
  setSwitch(p.cenCordinates, s.centreCoordinates, " -c ");
  setSwitch(p.conDative, s.dativeBonds, " -b ");
  setSwitch(p.onlyUnique, s.uniqueOnly, " --unique ");
  setSwitch(p.joinmols, s.joinMolecules, " --join ");
  setSwitch(p.splitmols, s.splitMolecules, " -m ");
  setSwitch(p.genCanonical, s.canonicalOrder, " --canonical  ");
  setSwitch(p.zipfile, s.compress, " -z ");
  if (s.compress) p.zipfileextension = ".gz";
  setSwitch(p.generate2Dmol, s.generate2D, " --gen2d  ");
  setSwitch(p.generate3Dmol, s.generate3D, " --gen3d  ");
  // The title and the text to append are remembered only while their boxes are on.
  if (s.setTitle) p.oTitle = s.title;
  setSwitch(p.addTitle, s.setTitle, " --title  " + optionValue(p.oTitle) + " ");
  if (s.appendToTitle) p.toappend = s.appendText;
  setSwitch(p.appendValues, s.appendToTitle,
            " --append \"" + doubleQuotedContent(p.toappend) + "\" ");
  setSwitch(p.theFilterCommand, s.filter,
            " --filter \"" + doubleQuotedContent(s.filterExpression) + "\"");
  setSwitch(p.oremoveSalts, s.removeSalts, " -r ");
}

}  // namespace

ComposedCommand composeConversion(const std::string& obabelPath, const ConversionSettings& s,
                                  ConversionPieces& p) {
  ComposedCommand result;

  if (auto fragment = smartsFragment(s.smartsMode, s.smarts)) p.osmartsConvert = *fragment;
  updateSwitches(s, p);
  bool outputFormatNamed = updateFormatFlags(s, p, result);
  p.oHydrogens = tokenUnless(s.hydrogens, kChooseRow);

  if (s.convertAll) {
    p.oconvertFrom.clear();
    p.oconvertTo.clear();
  } else {
    // An empty bound is an open end: "-l ''" would make obabel stop after the first molecule.
    p.oconvertFrom = s.firstMolecule.empty() ? "" : "-f " + shellWord(s.firstMolecule);
    p.oconvertTo = s.lastMolecule.empty() ? "" : "-l " + shellWord(s.lastMolecule);
  }

  // ".gz" when compressing; a path without any "." gets the output format's code as its
  // extension, after the closing quote, where the shell still reads it as part of the same
  // word. The test is made on the path itself, so quoting never hides or adds a ".".
  std::string suffix = s.compress ? p.zipfileextension : std::string();
  result.outputPath = withFormatExtension(s.outputPath + suffix, p.ofirstWord, outputFormatNamed);
  std::string output = quotedPath(s.outputPath) + result.outputPath.substr(s.outputPath.size());

  // The single blanks stand even between empty pieces; from the output on, each piece brings
  // its own blanks.
  result.command = programWord(obabelPath) + " " + p.iFileType + " " + quotedPath(s.inputPath) +
                   " " + p.iFileTypeOption + " " + p.oconvertFrom + " " + p.oconvertTo + " " +
                   p.oFileType + " " + p.oFileTypeOption + " " + p.oHydrogens + " " +
                   shellWord(s.pH) + " -O " + output + p.cenCordinates + p.conDative +
                   p.onlyUnique + p.joinmols + p.splitmols + p.genCanonical + p.zipfile +
                   p.generate2Dmol + p.generate3Dmol + p.addTitle + p.oremoveSalts +
                   p.osmartsConvert + p.appendValues + p.theFilterCommand;
  return result;
}

std::string composeCount(const std::string& obabelPath, const std::string& inputFormat,
                         const std::string& inputPath) {
  return programWord(obabelPath) + " " + inputFormatFlag(inputFormat) + " " +
         quotedPath(inputPath) + " " + kCountTail;
}

}  // namespace molbench
