#include "search/IndexBuild.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>

#include "common/FastSearchIndex.h"
#include "common/FormatFromName.h"
#include "search/LastMoleculeEnd.h"

namespace molbench {

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string lowerCase(std::string_view code) {
  std::string lower(code);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

struct SoundFormat {
  std::string_view code;
  LastMoleculeEnd end;
};

// The formats in which obabel 3.1.1 writes a file of several molecules, reads it back, and
// builds an index of it through which a substructure and a similarity search find what the
// same searches of the file find, once the last molecule ends as its reader needs. The mmCIF
// formats hold one molecule a file as obabel reads them.
using End = LastMoleculeEnd;
constexpr std::array<SoundFormat, 16> kSoundFormats = {{{"can", End::lineFeed},
                                                        {"ent", End::pdbModel},
                                                        {"gro", End::lineFeed},
                                                        {"inchi", End::lineFeed},
                                                        {"mcif", End::anything},
                                                        {"mdl", End::sdRecord},
                                                        {"ml2", End::lineFeed},
                                                        {"mmcif", End::anything},
                                                        {"mol", End::sdRecord},
                                                        {"mol2", End::lineFeed},
                                                        {"pdb", End::pdbModel},
                                                        {"sd", End::sdRecord},
                                                        {"sdf", End::sdRecord},
                                                        {"smi", End::lineFeed},
                                                        {"smiles", End::lineFeed},
                                                        {"sy2", End::lineFeed}}};

// Formats whose reader skips molecules, so obabel writes an index of them, but one that misses
// molecules with no word: the XML formats (cml, cdxml, mrv, PubChem's pc) index a few of the
// molecules; pdbqt and pqr read past the end of the last molecule, which drops later hits of a
// similarity search; of reactions (cmlr, rsmi) it indexes none; its own MCDL it cannot read
// back. Every other format gives obabel's SkipObjects error and an empty index.
constexpr std::array<std::string_view, 9> kMissingMoleculesCodes = {
    "cdxml", "cml", "cmlr", "mcdl", "mrv", "pc", "pdbqt", "pqr", "rsmi"};

const SoundFormat* soundFormat(std::string_view code) {
  std::string lower = lowerCase(code);
  auto found = std::find_if(kSoundFormats.begin(), kSoundFormats.end(),
                            [&](const SoundFormat& format) { return format.code == lower; });
  return found == kSoundFormats.end() ? nullptr : &*found;
}

constexpr const char* kConvertFirst =
    " Convert the file to SD (\".sdf\") in the Convert pane, and index that.";

std::string formatProblem(const std::string& code, const std::string& inputPath,
                          const std::string& indexPath) {
  std::string lower = lowerCase(code);
  bool missesMolecules = std::find(kMissingMoleculesCodes.begin(), kMissingMoleculesCodes.end(),
                                   lower) != kMissingMoleculesCodes.end();
  std::string start = std::string("obabel cannot build a ") + (missesMolecules ? "sound " : "") +
                      "fast-search index of " + quoted(inputPath) + " in its format " +
                      quoted(code) + ": ";
  if (missesMolecules)
    return start +
           "its index of such a file misses molecules, so searches through it would find fewer "
           "than a search of the file, with no word; it would take the place of " +
           quoted(indexPath) + "." + kConvertFirst;
  return start +
         "it cannot skip from one molecule to the next in such a file (\"Input format does not "
         "have a SkipObjects function\"), and would leave an empty file in place of " +
         quoted(indexPath) + "." + kConvertFirst;
}

}  // namespace

bool indexableFormat(std::string_view code) { return soundFormat(code) != nullptr; }

std::optional<std::string> unindexableInputProblem(const std::string& inputFormatFlag,
                                                   const std::string& inputPath,
                                                   const std::string& indexPath) {
  std::string code;
  if (!inputFormatFlag.empty()) {
    code = inputFormatFlag.substr(2);  // after "-i"
  } else {
    NameFormat format = formatFromName(inputPath, nameRuleOf("obabel", "input"));
    if (format.kind != NameFormat::Kind::readable) return std::nullopt;
    // A blank code is read as an SD file.
    code = format.code.empty() || format.code.front() == ' ' ? "sdf" : format.code;
  }
  const SoundFormat* format = soundFormat(code);
  if (!format) return formatProblem(code, inputPath, indexPath);
  auto unended = unendedLastMolecule(inputPath, format->end);
  if (!unended) return std::nullopt;
  return "A search through an index of " + quoted(inputPath) + " would lose molecules, because " +
         *unended +
         ": obabel's index search stops reading the file once it has read to its end, and drops "
         "the hits still to come." +
         kConvertFirst;
}

std::optional<std::string> builtIndexProblem(const std::string& indexPath) {
  struct stat info {};
  if (::stat(indexPath.c_str(), &info) != 0)
    return "obabel wrote no index file " + quoted(indexPath) + ".";
  if (info.st_size == 0)
    return "The index file " + quoted(indexPath) + " is empty: no search can read it.";
  auto entries = fastSearchIndexEntries(indexPath);
  if (!entries)
    return "The file " + quoted(indexPath) + " that obabel wrote is no fast-search index.";
  if (*entries == 0)
    return "The index " + quoted(indexPath) +
           " holds no molecule: obabel found none in the input that it could index.";
  if (!fastSearchIndexHasFingerprintBits(indexPath).value_or(true))
    return "The index " + quoted(indexPath) +
           " holds no structure: the fingerprints of all its molecules are empty, as when the "
           "input is not in the format its name gives (obabel reads such a file as molecules "
           "without atoms).";
  return std::nullopt;
}

}  // namespace molbench
