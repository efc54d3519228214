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
  setSwitch(p.addTitle, s.setTitle, " --title  " + shellWord(p.oTitle) + " ");
  if (s.appendToTitle) p.toappend = s.appendText;
  setSwitch(p.appendValues, s.appendToTitle,
            " --append \"" + doubleQuotedContent(p.toappend) + "\" ");
  setSwitch(p.theFilterCommand, s.filter,
            " --filter \"" + doubleQuotedContent(s.filterExpression) + "\"");
  setSwitch(p.oremoveSalts, s.removeSalts, " -r ");
}

// The quoted output path, with ".gz" when compressing. A path without any "." gets the
// output format's code as its extension, after the closing quote, where the shell still reads
// it as part of the same word. The test is made on the path itself, so quoting never hides or
// adds a ".".
std::string outputText(const ConversionSettings& s, const ConversionPieces& p,
                       bool outputFormatNamed) {
  std::string suffix = s.compress ? p.zipfileextension : std::string();
  std::string text = quotedPath(s.outputPath) + suffix;
  if (outputFormatNamed && (s.outputPath + suffix).find('.') == std::string::npos)
    text += "." + p.ofirstWord;
  return text;
}

}  // namespace

ComposedConversion composeConversion(const std::string& obabelPath, const ConversionSettings& s,
                                     ConversionPieces& p) {
  ComposedConversion result;

  if (auto fragment = smartsFragment(s.smartsMode, s.smarts)) p.osmartsConvert = *fragment;
  updateSwitches(s, p);

  p.iFileType = inputFormatFlag(s.inputFormat);
  if (s.inputFormat != kAutodetectRow) result.inputFormatLine = s.inputFormat;

  bool outputFormatNamed = s.outputFormat != kAutodetectRow;
  if (outputFormatNamed) {
    p.ofirstWord = firstWord(s.outputFormat);
    p.oFileType = "-o" + p.ofirstWord;
  } else {
    p.oFileType.clear();
  }
  std::string output = outputText(s, p, outputFormatNamed);

  p.iFileTypeOption = tokenUnless(s.readOption, kOptionsRow);
  p.oFileTypeOption = tokenUnless(s.writeOption, kOptionsRow);
  p.oHydrogens = tokenUnless(s.hydrogens, kChooseRow);

  if (s.convertAll) {
    p.oconvertFrom.clear();
    p.oconvertTo.clear();
  } else {
    p.oconvertFrom = "-f " + shellWord(s.firstMolecule);
    p.oconvertTo = "-l " + shellWord(s.lastMolecule);
  }

  // The single blanks stand even between empty pieces; from the output on, each piece brings
  // its own blanks.
  result.command = obabelPath + " " + p.iFileType + " " + quotedPath(s.inputPath) + " " +
                   p.iFileTypeOption + " " + p.oconvertFrom + " " + p.oconvertTo + " " +
                   p.oFileType + " " + p.oFileTypeOption + " " + p.oHydrogens + " " +
                   shellWord(s.pH) + " -O " + output + p.cenCordinates + p.conDative +
                   p.onlyUnique + p.joinmols + p.splitmols + p.genCanonical + p.zipfile +
                   p.generate2Dmol + p.generate3Dmol + p.addTitle + p.oremoveSalts +
                   p.osmartsConvert + p.appendValues + p.theFilterCommand;
  return result;
}

std::string composeCount(const std::string& obabelPath, const std::string& inputFormat,
                         const std::string& inputPath) {
  return obabelPath + " " + inputFormatFlag(inputFormat) + " " + quotedPath(inputPath) + " " +
         kCountTail;
}

}  // namespace molbench
