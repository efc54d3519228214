#include "viewer/ExportFiles.h"

#include <sys/stat.h>

#include <string_view>

#include "common/InputGuard.h"
#include "common/KeptCopy.h"
#include "common/OutputGuard.h"
#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/RunFailure.h"
#include "common/ShellQuote.h"
#include "common/StreamingFileReader.h"
#include "viewer/ExportJoin.h"
#include "viewer/ViewerCommands.h"

namespace molbench {

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

bool exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Why a file that is there cannot be read; a FIFO or a device would hold the reading for good.
std::optional<std::string> unreadable(const std::string& field, const std::string& path) {
  return inputFileProblem({field, path, FormatSource::none});
}

// Why the export file may not take a join: one that did not finish (Molbench was stopped) kept
// its old records in a copy, which is named with the records each file holds. The user decides
// which records are right: the join may have finished after all.
std::optional<std::string> keptExportCopiesProblem(const std::string& exportPath,
                                                   const std::string& temporaryFolder) {
  auto found = keptCopiesOf(exportPath, temporaryFolder, kExportCopyName);
  if (found.empty()) return std::nullopt;
  std::string names;
  for (const auto& path : found) {
    auto held = sdRecordEnds(path);
    names += (names.empty() ? "" : ", ") + quoted(path) +
             (held ? " (" + moleculesWord(held->records()) + ")" : "");
  }
  auto now = sdRecordEnds(exportPath);
  return "An export into " + quoted(exportPath) +
         " did not finish (Molbench was stopped while obabel joined a molecule into it). It kept "
         "the records the export file held before as " +
         names + "; the export file now holds " +
         (now ? moleculesWord(now->records()) : std::string("what cannot be read")) +
         ". Where it holds fewer than a kept file, copy that file over it. Then delete the kept "
         "file and export again.";
}

}  // namespace

std::string moleculesWord(int64_t count) {
  return std::to_string(count) + (count == 1 ? " molecule" : " molecules");
}

namespace {

bool blank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// A field of the counts line: digits, blanks around them allowed.
bool countField(std::string_view field) {
  size_t first = field.find_first_not_of(' '), last = field.find_last_not_of(' ');
  return first != std::string_view::npos &&
         field.substr(first, last - first + 1).find_first_not_of("0123456789") ==
             std::string_view::npos;
}

// obabel reads the atom and bond counts from the first two fields of three characters.
bool countsLine(std::string_view line) {
  return line.size() >= 6 && countField(line.substr(0, 3)) && countField(line.substr(3, 3));
}

bool controlBytes(std::string_view line) {
  bool found = false;
  for (char c : line) found |= static_cast<unsigned char>(c) < 0x20 && c != '\t';
  return found;
}

// Takes the lines of a file one at a time and counts its records as obabel reads them.
class SdRecordCounter {
 public:
  SdRecordEnds found;
  // Until a record's counts line is seen, and while it holds only blank lines, every line
  // counts; after that only its end does.
  bool wantsEveryLine() const { return titleNext_ || lineInRecord_ < 4 || !found.textAfterLast; }

  void take(std::string_view line) {
    // obabel reads the line after a record end as the next record's title, whatever it holds
    // ("$$$$ amine" included), and so the first line of the file.
    if (!titleNext_ && line.starts_with("$$$$")) {
      recordEnds();
      ++found.ends;
      found.textAfterLast = false;
      titleNext_ = true;
      lineInRecord_ = 0;
      notSd_ = false;
      return;
    }
    titleNext_ = false;
    // Binary data shows in the title (the bytes up to the first line feed) and in the counts.
    if (lineInRecord_ == 0 || lineInRecord_ == 3)
      notSd_ = notSd_ || controlBytes(line) || (lineInRecord_ == 3 && !countsLine(line));
    ++lineInRecord_;
    if (!found.textAfterLast && !blank(line)) found.textAfterLast = true;
  }

  void recordEnds() {
    if (found.textAfterLast && notSd_ && found.firstNotSd == 0) found.firstNotSd = found.ends + 1;
  }

 private:
  bool titleNext_ = true;
  int lineInRecord_ = 0;
  bool notSd_ = false;
};

}  // namespace

std::optional<SdRecordEnds> sdRecordEnds(const std::string& path, int64_t enough) {
  // The reader takes a file it cannot open for an empty one.
  if (unreadable("molecule", path)) return std::nullopt;
  static constexpr std::string_view kEnd[] = {"$$$$"};
  SdRecordCounter counter;
  StreamingFileReader reader(path);
  while (counter.found.ends < enough) {
    // Once a record holds text, only its end matters: the lines up to it are passed over.
    auto raw = counter.wantsEveryLine() ? reader.readRawLine() : reader.readLineStartingWith(kEnd);
    if (!raw) break;
    // Old Mac files end their lines with a carriage return alone (the reader takes the one
    // before a line feed off).
    std::string_view rest = *raw;
    for (;;) {
      size_t end = rest.find('\r');
      counter.take(rest.substr(0, end));
      if (end == std::string_view::npos || counter.found.ends >= enough) break;
      rest.remove_prefix(end + 1);
    }
  }
  counter.recordEnds();
  return counter.found;
}

std::optional<std::string> scratchFileProblem(const std::string& scratchPath) {
  if (!exists(scratchPath)) return std::nullopt;
  std::string problem;
  struct stat target {};
  if (::stat(scratchPath.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) {
    problem = "is no file an export leaves (a folder, a FIFO, a device or a link to nothing)";
  } else if (auto held = sdRecordEnds(scratchPath, 2); !held) {
    problem = "cannot be read, so what it holds is unknown";
  } else if (held->ends > 1 || held->textAfterLast) {
    problem = "holds more than the one molecule an export leaves there";
  } else {
    return std::nullopt;
  }
  return "The export copies each molecule through " + quoted(scratchPath) +
         " into the export file, overwriting it, but that file " + problem +
         ". Rename or move it, then export again.";
}

std::string notSdTextProblem(const std::string& exportPath, int64_t record) {
  return "The export file " + quoted(exportPath) + " is not SD text: " +
         (record == 1 ? std::string("it does") : "its record " + std::to_string(record) + " does") +
         " not hold the atom and bond counts where an SD record has them (it may be SMILES or "
         "other text, or binary data). obabel would read it as an empty molecule, and a join "
         "would write that in place of its lines. The file is left as it is: rename or move it, "
         "then export again.";
}

std::optional<std::string> exportFileProblem(const std::string& exportPath, int64_t records,
                                             int64_t read) {
  // obabel may read more molecules than there are record ends (a file with old Mac line ends
  // is one line to this count, five records to obabel): a join then loses none.
  if (read >= records) return std::nullopt;
  return "obabel reads " + std::to_string(read) + " of the " + std::to_string(records) +
         " records of the export file " + quoted(exportPath) +
         ", and a join would keep only those. The file is left as it is: mend it, or rename or "
         "move it, then export again.";
}

std::string exportFileHeld(const std::string& exportPath) {
  return "Another export is writing into the export file \"" + exportPath +
         "\" now, from another window or another Molbench. This export wrote nothing; export "
         "again once that one has finished.";
}

std::optional<int64_t> exportFilesAccepted(
    platform::Platform& platform, const std::string& obabelPath, const std::string& scratchPath,
    const std::string& exportPath, const std::vector<std::string>& readPaths, WriteLock& lock) {
  // The scratch file first: the output guard's advice is for a name the user chose.
  if (!acceptedUnless(platform, scratchFileProblem(scratchPath), kExportFileAlertTitle) ||
      !outputPathAccepted(platform, scratchPath, readPaths) ||
      !outputPathAccepted(platform, exportPath, readPaths) ||
      !acceptedUnless(platform, lock.take(), kExportFileHeldTitle))
    return std::nullopt;
  if (lock.madeTheFile() || !exists(exportPath)) return 0;
  auto held = sdRecordEnds(exportPath);
  if (!held) {
    acceptedUnless(platform, unreadable("export", exportPath), kExportFileAlertTitle);
    return std::nullopt;
  }
  if (!acceptedUnless(platform, keptExportCopiesProblem(exportPath, platform.temporaryDirectory()),
                      kUnfinishedExportTitle))
    return std::nullopt;
  if (held->firstNotSd > 0) {
    acceptedUnless(platform, notSdTextProblem(exportPath, held->firstNotSd), kExportFileAlertTitle);
    return std::nullopt;
  }
  // A file with no record in it loses nothing to the join.
  if (held->records() == 0) return 0;
  std::string command = countCommand(obabelPath, quotedPath(exportPath));
  platform.diagnostic(command);
  auto run = shellReport(command);
  if (saidRunFailure(platform, run, Failures::notStarted, "obabel")) return std::nullopt;
  int64_t read = moleculeCount(run.output.value_or(""));
  if (!acceptedUnless(platform, exportFileProblem(exportPath, held->records(), read),
                      kExportFileAlertTitle))
    return std::nullopt;
  return read;
}

}  // namespace molbench
