#include "convert/ConversionCommand.h"

#include <strings.h>

#include "common/CommandFragments.h"
#include "common/FormatFromName.h"
#include "common/FormatTables.h"
#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "convert/ConversionOptions.h"
#include "convert/CopiedInput.h"
#include "convert/NamedInput.h"
#include "convert/SplitFolder.h"
#include "convert/SplitScratch.h"

namespace molbench {

namespace {

constexpr const char* kPHFlag = "-p";
constexpr const char* kIntermediateFlag = "-osdf";
// A run reads the scratch file as "/dev/fd/3": its path under $TMPDIR may begin with "-", which
// obabel would read as an option.
constexpr const char* kScratchInput = " /dev/fd/3 ";
constexpr const char* kScratchDescriptor = " 3< \"$tmp\"";

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

// obabel 3.1.1 splits (-m) by converting each molecule on its own, so the run that splits must
// not select or join: a range counts anew in every file, the first molecule that a SMARTS
// pattern or property filter rejects ends the split, and --unique and --join see one molecule
// at a time. On 30 molecules "-m -l 10" wrote all 30, "-m -s" none of the 21 that match and
// "-m --join" the first alone. Of a conversion in two runs (coordinates, then the pH) the second
// filters and joins; the rest of the selection is made in the first.
bool lastRunSelects(const ConversionPieces& p) {
  return anyOptionThat(p, kSelects | kJoins, kAfterPH);
}

bool selects(const ConversionPieces& p) {
  return anyOptionThat(p, kSelects | kJoins) || !p.oconvertFrom.empty() || !p.oconvertTo.empty();
}

// How the run that splits writes its files, and what the command runs around it. Files that
// obabel would compress, or that would name the scratch file a split run reads as its input, are
// split into a scratch folder and put in place after the run, compressed or naming the input.
struct SplitWriting {
  std::string folder;      // starts a command that splits in one run
  std::string file;        // starts a command that splits what a first run writes into "$tmp"
  std::string textFile;    // as `file`, with a second scratch file "$text" for the input's text
  std::string target;      // " -O " and the output of the run that writes the files
  std::string zip;         // the split run's " -z "
  std::string descriptor;  // ends the split run: what its target needs open
  std::string finish;      // runs after the split run
  SplitScratch scratch;    // how the molecules to split are written to "$tmp" and read back
  std::string roomCheck;   // stops the command when "$tmp" proves to have had no room
};

// `readsScratch`: the split run reads the molecules from the scratch file, not the input.
SplitWriting splitWriting(const ConversionPieces& p, const std::string& target,
                          const std::string& outputPath, const std::string& inputPath,
                          bool readsScratch, std::optional<unsigned long long> keptFromRoot) {
  std::string code = writtenFormatCode(p, outputPath);
  SplitScratch scratch = splitScratch(code, p.oFileTypeOption);
  bool compresses = obabelCompresses(!p.zipfile.empty(), !p.oFileType.empty(), outputPath);
  auto named = readsScratch ? namedInput(code, inputPath) : std::nullopt;
  if (p.splitmols.empty() || (!compresses && !named))
    return {"",
            "tmp=$(mktemp) && trap 'rm -f -- \"$tmp\"' EXIT && ",
            "tmp=$(mktemp) && text=$(mktemp) && trap 'rm -f -- \"$tmp\" \"$text\"' EXIT && ",
            target,
            p.zipfile,
            "",
            "",
            scratch,
            scratchRoomCheck("\"$tmp\"", keptFromRoot)};
  std::string eachFile = "gzip -n";
  if (named)
    eachFile = compresses ? "{ " + pipedRuns(inputNamedAgain(*named), eachFile) + "; }"
                          : inputNamedAgain(*named);
  auto split =
      folderSplit(outputPath, p.oFileType.empty() ? "" : p.ofirstWord, eachFile, keptFromRoot);
  return {split.scratchFolder,
          split.scratchFolder + "tmp=\"$dir\"/selected && ",
          split.scratchFolder + "tmp=\"$dir\"/selected && text=\"$dir\"/text && ",
          split.target,
          "",
          split.folderDescriptor,
          " && " + split.placeEach,
          scratch,
          scratchRoomCheck("\"$tmp\"", keptFromRoot)};
}

// obabel splits only what it reads from a file: from a pipe it writes nothing and exits 0. So
// the molecules to split go into a temporary file that bash removes when it exits. `first`
// writes them, or feeds `second` through a pipe when there is one; `split` reads them, once the
// file proves to have had room for them.
std::string splitThroughFile(const std::string& first, const std::string& second,
                             const std::string& split, const SplitWriting& w) {
  std::string start = w.file + first;
  std::string rest = " > \"$tmp\" && " + w.roomCheck + " && " + split + w.finish;
  return second.empty() ? start + rest : pipedRuns(start, second + rest);
}

// A run that only splits what the runs before it wrote. It copies each molecule's text, or
// writes it anew in the output's format and options.
std::string splitRun(const std::string& program, const std::string& format,
                     const ConversionPieces& p, const SplitWriting& w) {
  std::string readOption = w.scratch.readOption.empty() ? "" : w.scratch.readOption + " ";
  return program + " " + w.scratch.read + kScratchInput + readOption +
         (w.scratch.copies ? "-ocopy " : format) + w.target + p.splitmols + w.zip +
         kScratchDescriptor + w.descriptor;
}

// The options of the first run of a split that copies the input's records: the selection and
// every option obabel applies before it selects, which changes what it selects on (hydrogens
// and salts change a property filter's molecular weight, a new title what it tests). A property
// filter comes before the coordinates, a SMARTS pattern and "unique" after them (2D coordinates
// lose the stereo of SMILES: L- and D-alanine became one), so only these make them here. What
// the copy writes is each selected record as it was read, whatever these options did to it.
std::string selectingOptions(const ConversionPieces& p) {
  unsigned coordinates = anyOptionThat(p, kTestsCoordinates) ? 0u : unsigned{kMakesCoordinates};
  return optionsThat(p, kAnything, kJoins | kSplits | kCompresses | coordinates);
}

// The code of the format obabel reads the input in: the chosen one, else the name's.
std::string inputFormatCode(const ConversionPieces& p, const std::string& inputPath) {
  if (!p.iFileType.empty()) return p.iFileType.substr(2);
  return formatFromName(inputPath, nameRuleOf("obabel", "input")).code;
}

// The split run of copied records: it reads them in the input's format (the scratch file's name
// gives none) and converts each with every option but the selection, so each file is what obabel
// writes for that molecule converted alone. obabel titles every molecule it reads from a PDB file
// with the file's path as it was given, here "/dev/fd/3", so that run is given the input's path
// as the title, unless the user gives one.
std::string copiedSplitRun(const std::string& program, const std::string& inputPath,
                           const std::string& format, const std::string& hydrogens,
                           const ConversionPieces& p, const SplitWriting& w) {
  std::string code = inputFormatCode(p, inputPath);
  bool titledByPath = copiedRecords(code) == CopiedRecords::kPdbModels && p.addTitle.empty();
  std::string title = titledByPath ? " --title " + quotedPath(inputPath) + " " : p.addTitle;
  return program + " -i" + code + kScratchInput + p.iFileTypeOption + " " + format + hydrogens +
         w.target +
         optionsThat(p, kAnything, kSelects | kJoins,
                     {{&ConversionPieces::zipfile, w.zip}, {&ConversionPieces::addTitle, title}}) +
         kScratchDescriptor + w.descriptor;
}

// Whether the records the first run selects can pass as they were read, and from what text.
CopyReading copiesInput(const ConversionPieces& p, const std::string& inputPath) {
  CopiedRecords records = copiedRecords(inputFormatCode(p, inputPath));
  if (!p.joinmols.empty() || records == CopiedRecords::kNone) return CopyReading::kNone;
  return copyReading(inputPath, records);
}

// The first run of a split that copies the records of the input's text normalised
// (CopiedInput.h), which a scratch file "$text" holds: the command starts by writing it there.
// The run reads it in the input's format, as it reads the input.
std::string selectNormalised(const std::string& program, const std::string& inputPath,
                             const std::string& selectFrom, const ConversionPieces& p,
                             std::optional<unsigned long long> keptFromRoot) {
  std::string code = inputFormatCode(p, inputPath);
  return normalisedText(inputPath, copiedRecords(code)) + " > \"$text\" && " +
         scratchRoomCheck("\"$text\"", keptFromRoot) + " && " + program + " -i" + code +
         kScratchInput + p.iFileTypeOption + " " + p.oconvertFrom + " " + p.oconvertTo + " " +
         selectFrom + " 3< \"$text\"";
}

// obabel makes 2D or 3D coordinates before it applies a pH, and the pH is then lost: in one
// run ethylamine comes out as CCN, not CC[NH3+]. So a first run makes the coordinates and
// writes SD, which keeps titles, data fields, charges, isotopes and stereo, and a second run
// reads that and applies the pH. The other options go where obabel itself applies them in a
// single run: the selection (range, SMARTS, unique), salts, dative bonds and canonical order
// before the pH; centring, the appended values and the property filter after it, and joining
// last. A new title is set with the coordinates, before any values are appended to it. So the
// same molecules come out, with the same titles, as they do without coordinates. A split reads
// the coordinates from a temporary file; when the pH run also filters or joins, it writes the
// scratch file, and a third run splits.
std::string coordinatesThenPH(const std::string& program, const std::string& reading,
                              const std::string& format, const std::string& hydrogens,
                              const ConversionPieces& p, const SplitWriting& w) {
  std::string makeCoordinates =
      reading + kIntermediateFlag + optionsThat(p, kAnything, kAfterPH | kSplits | kCompresses);
  if (p.splitmols.empty())
    return pipedRuns(makeCoordinates, program + " -isdf - " + format + hydrogens + w.target +
                                          optionsThat(p, kAfterPH | kCompresses));
  if (lastRunSelects(p))
    return splitThroughFile(
        makeCoordinates,
        program + " -isdf - " + w.scratch.write + " " + hydrogens + optionsThat(p, kAfterPH),
        splitRun(program, format, p, w), w);
  return splitThroughFile(makeCoordinates, "",
                          program + " -isdf" + kScratchInput + format + hydrogens + w.target +
                              optionsThat(p, kAfterPH | kSplits | kCompresses, 0,
                                          {{&ConversionPieces::zipfile, w.zip}}) +
                              kScratchDescriptor + w.descriptor,
                          w);
}

// The options of a conversion in one run, with the split and compression given apart.
std::string oneRunOptions(const ConversionPieces& p, const std::string& split,
                          const std::string& zip) {
  return optionsThat(p, kAnything, 0,
                     {{&ConversionPieces::splitmols, split}, {&ConversionPieces::zipfile, zip}});
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
  std::string program = programWord(obabelPath);
  std::string reading = program + " " + p.iFileType + " " + quotedPath(s.inputPath) + " " +
                        p.iFileTypeOption + " " + p.oconvertFrom + " " + p.oconvertTo + " ";
  std::string format = p.oFileType + " " + p.oFileTypeOption + " ";
  std::string hydrogens = p.oHydrogens + " " + pH;
  bool coordinatesFirst = p.oHydrogens == kPHFlag && (s.generate2D || s.generate3D);
  SplitWriting w = splitWriting(p, " -O " + output, result.outputPath, s.inputPath,
                                coordinatesFirst || selects(p), s.scratchKeptFromRoot);
  if (coordinatesFirst) {
    result.command = coordinatesThenPH(program, reading, format, hydrogens, p, w);
  } else if (!p.splitmols.empty() && selects(p)) {
    // The split files hold the molecules the same run writes without splitting, in the same
    // order. Where the input's records can be copied, the first run copies those it selects. A
    // join (one molecule, which no copy holds) or another input passes the molecules written
    // anew: in the input's own format where that reads back as the input (SplitScratch.h), else
    // in a format that keeps what the output holds.
    CopyReading copy = copiesInput(p, s.inputPath);
    if (copy != CopyReading::kNone) {
      std::string select = "-ocopy " + hydrogens + selectingOptions(p);
      if (copy == CopyReading::kNormalised) {
        select = selectNormalised(program, s.inputPath, select, p, s.scratchKeptFromRoot);
        w.file = w.textFile;
      } else {
        select = reading + select;
      }
      // The copy of the last PDB model ends at its ENDMDL, and a copy of that copy, as the split
      // run writes into "copy", holds nothing of it: an END after it gives it its file.
      if (copiedRecords(inputFormatCode(p, s.inputPath)) == CopiedRecords::kPdbModels &&
          ::strcasecmp(writtenFormatCode(p, result.outputPath).c_str(), "copy") == 0)
        select = "{ " + select + " && echo END; }";
      result.command = splitThroughFile(
          select, "", copiedSplitRun(program, s.inputPath, format, hydrogens, p, w), w);
    } else if (rewrittenAsRead(inputFormatCode(p, s.inputPath)) && p.oHydrogens.empty() &&
               !anyOptionThat(p, kChanges | kMakesCoordinates | kTitles)) {
      // Nothing but the selection touches the molecules in the first run, so the molecules it
      // writes anew in the input's format are those it read, and the split run converts them.
      std::string select =
          reading + "-o" + inputFormatCode(p, s.inputPath) + " " + hydrogens + selectingOptions(p);
      result.command = splitThroughFile(
          select, "", copiedSplitRun(program, s.inputPath, format, hydrogens, p, w), w);
    } else {
      std::string select = reading + w.scratch.write + " " + hydrogens + oneRunOptions(p, "", "");
      result.command = splitThroughFile(select, "", splitRun(program, format, p, w), w);
    }
  } else {
    result.command = w.folder + reading + format + hydrogens + w.target +
                     oneRunOptions(p, p.splitmols, w.zip) + w.descriptor + w.finish;
  }
  return result;
}

std::string writtenFormatCode(const ConversionPieces& p, const std::string& outputPath) {
  return p.oFileType.empty() ? formatFromName(outputPath, {}).code : p.ofirstWord;
}

std::optional<std::string> conversionProblem(const ConversionSettings& s, const ConversionPieces& p,
                                             const std::string& outputPath) {
  if (!s.splitMolecules || !isIndexCode(writtenFormatCode(p, outputPath))) return std::nullopt;
  return "obabel cannot split into fast-search indexes: it writes empty files and puts one "
         "index beside the input file instead, over any file of that name. Turn off \"Split into "
         "one file per molecule\", or build the index in the Search pane.";
}

std::string composeCount(const std::string& obabelPath, const std::string& inputFormat,
                         const std::string& inputPath) {
  return programWord(obabelPath) + " " + inputFormatFlag(inputFormat) + " " +
         quotedPath(inputPath) + " " + kCountTail;
}

}  // namespace molbench
