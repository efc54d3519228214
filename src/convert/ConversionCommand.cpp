#include "convert/ConversionCommand.h"

#include "common/CommandFragments.h"
#include "common/FormatTables.h"
#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

constexpr const char* kPHFlag = "-p";
constexpr const char* kIntermediateFlag = "-osdf";

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

// obabel makes 2D or 3D coordinates before it applies a pH, and the pH is then lost: in one
// run ethylamine comes out as CCN, not CC[NH3+]. So a first run makes the coordinates and
// writes SD, which keeps titles, data fields, charges, isotopes and stereo, and a second run
// reads that and applies the pH. The other options go where obabel itself applies them in a
// single run: the selection (range, SMARTS, unique), salts, dative bonds and canonical order
// before the pH; centring, the appended values and the property filter after it, and joining
// last. A new title is set with the coordinates, before any values are appended to it. So the
// same molecules come out, with the same titles, as they do without coordinates.
std::string coordinatesThenPH(const std::string& program, const std::string& reading,
                              const std::string& writing, const ConversionPieces& p) {
  std::string makeCoordinates = reading + kIntermediateFlag + p.conDative + p.onlyUnique +
                                p.genCanonical + p.generate2Dmol + p.generate3Dmol + p.addTitle +
                                p.oremoveSalts + p.osmartsConvert;
  std::string after =
      p.cenCordinates + p.joinmols + p.splitmols + p.zipfile + p.appendValues + p.theFilterCommand;
  // obabel splits (-m) only what it reads from a file: from a pipe it writes nothing and
  // exits 0. A split takes the intermediate from a temporary file, removed when bash exits.
  if (!p.splitmols.empty())
    return "tmp=$(mktemp) && trap 'rm -f \"$tmp\"' EXIT && " + makeCoordinates + " > \"$tmp\" && " +
           program + " -isdf \"$tmp\" " + writing + after;
  return pipedRuns(makeCoordinates, program + " -isdf - " + writing + after);
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

  // The pH value means something to obabel only after "-p". After the other rows it means
  // nothing, and with no row obabel reads it as one more input file.
  std::string pH = p.oHydrogens == kPHFlag ? shellWord(s.pH) : std::string();
  // The single blanks stand even between empty pieces; from the output on, each piece brings
  // its own blanks.
  std::string reading = programWord(obabelPath) + " " + p.iFileType + " " +
                        quotedPath(s.inputPath) + " " + p.iFileTypeOption + " " + p.oconvertFrom +
                        " " + p.oconvertTo + " ";
  std::string writing =
      p.oFileType + " " + p.oFileTypeOption + " " + p.oHydrogens + " " + pH + " -O " + output;
  if (p.oHydrogens != kPHFlag || !(s.generate2D || s.generate3D)) {
    result.command = reading + writing + p.cenCordinates + p.conDative + p.onlyUnique + p.joinmols +
                     p.splitmols + p.genCanonical + p.zipfile + p.generate2Dmol + p.generate3Dmol +
                     p.addTitle + p.oremoveSalts + p.osmartsConvert + p.appendValues +
                     p.theFilterCommand;
  } else {
    result.command = coordinatesThenPH(programWord(obabelPath), reading, writing, p);
  }
  return result;
}

std::string composeCount(const std::string& obabelPath, const std::string& inputFormat,
                         const std::string& inputPath) {
  return programWord(obabelPath) + " " + inputFormatFlag(inputFormat) + " " +
         quotedPath(inputPath) + " " + kCountTail;
}

}  // namespace molbench
