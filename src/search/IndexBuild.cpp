#include "search/IndexBuild.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>

#include "common/FastSearchIndex.h"
#include "common/FormatFromName.h"

namespace molbench {

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The formats whose reader skips molecules (OBFormat::SkipObjects): Open Babel 3.1.1 builds an
// index of each, as measured on files obabel wrote (and PubChem XML), except "mcdl" and "cmlr",
// which obabel does not read back from its own files and which are kept for their skipping
// reader. Every other format it reads, "xyz", "mae" and "xml" among them, gives the SkipObjects
// error and an empty index.
constexpr std::array<std::string_view, 24> kIndexableCodes = {
    "can",  "cdxml", "cml", "cmlr",  "ent", "gro",  "inchi",  "mcdl",
    "mcif", "mdl",   "ml2", "mmcif", "mol", "mol2", "mrv",    "pc",
    "pdb",  "pdbqt", "pqr", "sd",    "sdf", "smi",  "smiles", "sy2"};

}  // namespace

bool indexableFormat(std::string_view code) {
  std::string lower(code);
  std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
  return std::find(kIndexableCodes.begin(), kIndexableCodes.end(), lower) != kIndexableCodes.end();
}

std::optional<std::string> unindexableInputProblem(const std::string& inputFormatFlag,
                                                   const std::string& inputPath,
                                                   const std::string& indexPath) {
  std::string code;
  if (!inputFormatFlag.empty()) {
    code = inputFormatFlag.substr(2);  // after "-i"
  } else {
    NameFormat format = formatFromName(inputPath, nameRuleOf("obabel", "input"));
    // A blank code is read as an SD file, which obabel indexes.
    if (format.kind != NameFormat::Kind::readable || format.code.empty() ||
        format.code.front() == ' ')
      return std::nullopt;
    code = format.code;
  }
  if (indexableFormat(code)) return std::nullopt;
  return "obabel cannot build a fast-search index of " + quoted(inputPath) + " in its format " +
         quoted(code) +
         ": it cannot skip from one molecule to the next in such a file (\"Input format does not "
         "have a SkipObjects function\"), and would leave an empty file in place of " +
         quoted(indexPath) +
         ". Convert the file to SD (\".sdf\") or SMILES (\".smi\") in the Convert pane, and "
         "index that.";
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
  return std::nullopt;
}

}  // namespace molbench
