#include "common/InputGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/FastSearchIndex.h"
#include "common/FormatFromName.h"
#include "common/Refusal.h"

namespace molbench {

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// Opening without blocking also catches what stat cannot: a file the user may not read.
std::optional<std::string> openProblem(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::string(std::strerror(errno));
  ::close(fd);
  return std::nullopt;
}

// obabel reopens an index under another name ("x.FS" as "x.fs"): it would read another index, or
// none, while its output is emptied all the same.
std::optional<std::string> misnamedIndexProblem(const InputFile& index) {
  if (!isFastSearchIndex(index.path)) return std::nullopt;
  std::string readAs = indexReadAs(index.path);
  if (readAs == index.path) return std::nullopt;
  return "The " + index.field + " file " + quoted(index.path) +
         " is a fast-search index, but obabel reads an index only under a name ending in "
         "\".fs\" in lower case: it would open " +
         quoted(readAs) + " instead. Rename the index (or build it again) with the ending \".fs\".";
}

// An index holds the molecules' fingerprints and their places in another file, never a
// molecule: obabel prints the index's summary, converts nothing and exits 0, and a sibling
// program reads no molecule from it, each after its output was emptied.
std::optional<std::string> indexReadAsMoleculesProblem(const InputFile& index,
                                                       const std::string& moleculeFile) {
  if (index.format == FormatSource::none || index.searched) return std::nullopt;
  uint32_t entries = fastSearchIndexEntries(index.path).value_or(0);
  return "The " + index.field + " file " + quoted(index.path) + " is a fast-search index of " +
         std::to_string(entries) + (entries == 1 ? " molecule" : " molecules") + " in " +
         quoted(moleculeFile) + ": it holds their fingerprints, not the molecules, so " +
         index.reader +
         " would read no molecule from it. An index can only be searched: with the search pane's "
         "index search, or with \"matching\" and a query in Convert or the file search. To "
         "read the molecules themselves, choose " +
         quoted(moleculeFile) + ".";
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Told "-ifs", obabel searches the index whose name it makes from the file's: a file missing
// there empties the output with no word, SD text there makes obabel take memory past 10 GB,
// and the index of another file searches that file's molecules. Only the index of the file
// itself, or the index itself, is searched as the user meant (an index under another name is
// refused as misnamed first).
std::optional<std::string> chosenIndexProblem(const InputFile& file) {
  const std::string opened = indexReadAs(file.path);
  const std::string lead =
      "With \"fs\" chosen as the input format, obabel reads " + quoted(file.path) +
      " as a fast-search index: it searches " +
      (opened == file.path ? "that file"
                           : quoted(opened) + " (the name with \".fs\" in place of its extension)");
  const std::string then = ", after emptying its output. Choose the file's own format";
  if (opened != file.path)
    if (auto problem = inputFileProblem({"index", opened}))
      return lead + ", but " + *problem + " obabel would find nothing" + then +
             ", or build the index first.";
  if (!isFastSearchIndex(opened))
    return lead +
           ", which is no fast-search index: obabel would find nothing in it (SD text "
           "there makes it take memory by the gigabyte)" +
           then + ".";
  auto indexed = indexedMoleculeFile(opened).value_or("");
  if (opened != file.path && !sameFile(indexed, file.path))
    return lead + ", which is the index of " + quoted(indexed) + ", not of " + quoted(file.path) +
           ": obabel would search another file's molecules" + then + ", or choose the index " +
           quoted(opened) + " itself.";
  return std::nullopt;
}

std::string notAnIndexProblem(const InputFile& file) {
  std::string choose = file.format == FormatSource::nameOrChoice
                           ? " choose its format in the pane's input-format popup, or"
                           : "";
  return "obabel reads the " + file.field + " file " + quoted(file.path) +
         " as a fast-search index by its name, but it is no index: obabel would search it for a "
         "long time and read no molecule, and its output would be emptied first. If the file "
         "holds molecules," +
         choose +
         " rename it with the extension of its format, such as \".sdf\" or \".smi\". To search "
         "an index, build one from the molecule file with \"Build index\" in the search pane.";
}

std::string whyNoFormat(const NameFormat& format) {
  std::string code = quoted(format.code);
  if (format.kind == NameFormat::Kind::writeOnly) return code + " names a format it can only write";
  if (format.kind == NameFormat::Kind::readOnly)
    return code + " names a format it can only read, and it writes in the format it reads";
  if (format.fromExtension)
    return "it takes the format from the extension, and " + code + " names none it reads";
  return "the name has no extension, and " + code + " is no code of a format it reads";
}

std::string whatToDo(const InputFile& file) {
  std::string rename =
      "rename the file with an extension that names its format, such as \".sdf\" or \".smi\"";
  if (isFastSearchIndex(file.path)) {
    rename = "rename it with the ending \".fs\"";
    if (file.format == FormatSource::nameOrChoice)
      return "The file is a fast-search index: choose \"fs -- Fastsearch format\" in the pane's "
             "input-format popup, or " +
             rename + ".";
    return "The file is a fast-search index: " + rename + ".";
  }
  if (file.format == FormatSource::nameOrChoice)
    return "Choose the file's format in the pane's input-format popup, or " + rename + ".";
  return file.reader +
         " takes the format only from the name here, whatever a format popup shows: " + rename +
         ".";
}

// The refusal of a file whose name gives its reader no format, titled by what can mend it.
bool formatAccepted(platform::Platform& platform, const InputFile& file,
                    std::optional<std::string> problem) {
  return acceptedUnless(
      platform, problem,
      file.format == FormatSource::nameOrChoice ? kChooseFormatAlertTitle : kRenameInputAlertTitle);
}

}  // namespace

FormatSource formatSourceOf(const std::string& inputFormatFlag) {
  if (inputFormatFlag == "-ifs") return FormatSource::indexChosen;
  return inputFormatFlag.empty() ? FormatSource::nameOrChoice : FormatSource::chosen;
}

std::vector<std::string> pathsRead(const std::vector<InputFile>& files) {
  std::vector<std::string> paths;
  for (const auto& file : files) {
    paths.push_back(file.path);
    if (file.format == FormatSource::indexChosen && indexReadAs(file.path) != file.path)
      paths.push_back(indexReadAs(file.path));
  }
  return paths;
}

std::optional<std::string> inputFormatProblem(const InputFile& file) {
  if (file.format != FormatSource::name && file.format != FormatSource::nameOrChoice)
    return std::nullopt;
  NameRule rule = nameRuleOf(file.reader, file.field);
  NameFormat format = formatFromName(file.path, rule);
  // obabel reads a file whose name gives the code "fs", in any case, as its fast-search index. A
  // file that is none (SD text named "x.fs") it searches for a minute or more, reads no molecule
  // from, and its output is emptied first.
  if (rule.readsIndex && namesIndexFormat(format) && !isFastSearchIndex(file.path))
    return notAnIndexProblem(file);
  if (format.kind == NameFormat::Kind::readable) return std::nullopt;
  return file.reader + " cannot tell the format of the " + file.field + " file " +
         quoted(file.path) + " from its name: " + whyNoFormat(format) +
         ". It would read no molecule, and its output would be emptied first. " + whatToDo(file);
}

std::optional<std::string> inputFileProblem(const InputFile& file) {
  const std::string& path = file.path;
  const std::string the = "The " + file.field + " file ";
  if (path.empty()) return "The " + file.field + " path is empty: choose or type a file name.";
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0)
    return the + quoted(path) + " cannot be found: " + std::strerror(errno) + ".";
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0)
    return the + quoted(path) + " is a link to nothing that exists: " + std::strerror(errno) + ".";
  if (S_ISDIR(target.st_mode)) return the + quoted(path) + " is a folder: choose a file inside it.";
  if (!S_ISREG(target.st_mode))
    return the + quoted(path) +
           " is not a regular file (a FIFO, a device or a socket): a run would wait on it for "
           "good.";
  if (auto problem = openProblem(path))
    return the + quoted(path) + " cannot be read: " + *problem + ".";
  return std::nullopt;
}

std::optional<std::string> programFileProblem(const std::string& program, const std::string& path) {
  std::string file = path;
  const char* home = std::getenv("HOME");
  if (file.rfind("~/", 0) == 0 && home) file = home + file.substr(1);
  struct stat info {};
  std::string problem;
  if (::stat(file.c_str(), &info) != 0)
    problem = std::string("it is not there (") + std::strerror(errno) + ")";
  else if (!S_ISREG(info.st_mode))
    problem = "that is not a file";
  else if (::access(file.c_str(), X_OK) != 0)
    problem = "the file may not be run (" + std::string(std::strerror(errno)) + ")";
  else
    return std::nullopt;
  return program + " was looked for as " + quoted(file) + ", beside the stored obabel path, but " +
         problem +
         ". Install it there, or enter the full path of an obabel that has it beside it in the "
         "preferences.";
}

bool isGzipCompressed(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  unsigned char magic[2] = {};
  bool gzip = ::read(fd, magic, sizeof magic) == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
  ::close(fd);
  return gzip;
}

bool inputFilesAccepted(platform::Platform& platform, const std::vector<InputFile>& files) {
  for (const auto& given : files) {
    if (!acceptedUnless(platform, inputFileProblem(given), kInputAlertTitle) ||
        !acceptedUnless(platform, misnamedIndexProblem(given), kInputAlertTitle))
      return false;
    // Told "-ifs", obabel reads the index it opens in the file's place; that index is checked.
    InputFile file = given;
    if (given.format == FormatSource::indexChosen) {
      if (!acceptedUnless(platform, chosenIndexProblem(given), kChooseFormatAlertTitle))
        return false;
      file.path = indexReadAs(given.path);
    }
    auto indexed = indexedMoleculeFile(file.path);
    if (indexed &&
        !acceptedUnless(platform, indexReadAsMoleculesProblem(file, *indexed), kInputAlertTitle))
      return false;
    // An index is known by its header, but obabel knows it only by its name.
    if (!formatAccepted(platform, file, inputFormatProblem(file))) return false;
    if (!indexed) continue;
    // obabel reads an index's hits from its molecule file, and fails on a missing one, or one
    // whose name gives no format, only after the output is emptied.
    InputFile molecules{"indexed molecule", *indexed, FormatSource::name, file.reader};
    if (!acceptedUnless(platform, inputFileProblem(molecules), kInputAlertTitle)) return false;
    auto formatProblem = inputFormatProblem(molecules);
    if (formatProblem) *formatProblem += " Then build the index again: it names the file it reads.";
    if (!formatAccepted(platform, molecules, formatProblem)) return false;
  }
  return true;
}

}  // namespace molbench
