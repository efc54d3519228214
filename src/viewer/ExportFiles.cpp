#include "viewer/ExportFiles.h"

#include <sys/stat.h>

#include <string_view>

#include "common/InputGuard.h"
#include "common/OutputGuard.h"
#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/RunFailure.h"
#include "common/ShellQuote.h"
#include "common/StreamingFileReader.h"
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

}  // namespace

std::optional<SdRecordEnds> sdRecordEnds(const std::string& path, int64_t enough) {
  // The reader takes a file it cannot open for an empty one.
  if (unreadable("molecule", path)) return std::nullopt;
  SdRecordEnds found;
  StreamingFileReader reader(path);
  while (found.ends < enough) {
    auto line = reader.readRawLine();
    if (!line) break;
    if (line->starts_with("$$$$")) {
      ++found.ends;
      found.textAfterLast = false;
    } else if (line->find_first_not_of(" \t\r") != std::string_view::npos) {
      found.textAfterLast = true;
    }
  }
  return found;
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

std::optional<std::string> exportFileProblem(const std::string& exportPath, int64_t records,
                                             int64_t read) {
  if (read == records) return std::nullopt;
  return "obabel reads " + std::to_string(read) + " of the " + std::to_string(records) +
         " records of the export file " + quoted(exportPath) +
         ", and a join would keep only those. The file is left as it is: mend it, or rename or "
         "move it, then export again.";
}

bool exportFilesAccepted(platform::Platform& platform, const std::string& obabelPath,
                         const std::string& scratchPath, const std::string& exportPath,
                         const std::vector<std::string>& readPaths) {
  // The scratch file first: the output guard's advice is for a name the user chose.
  if (!acceptedUnless(platform, scratchFileProblem(scratchPath), kExportFileAlertTitle) ||
      !outputPathAccepted(platform, scratchPath, readPaths) ||
      !outputPathAccepted(platform, exportPath, readPaths))
    return false;
  if (!exists(exportPath)) return true;
  auto held = sdRecordEnds(exportPath);
  if (!held)
    return acceptedUnless(platform, unreadable("export", exportPath), kExportFileAlertTitle);
  // A file with no record in it loses nothing to the join.
  if (held->records() == 0) return true;
  std::string command = countCommand(obabelPath, quotedPath(exportPath));
  platform.diagnostic(command);
  auto run = shellReport(command);
  if (saidRunFailure(platform, run, Failures::notStarted, "obabel")) return false;
  return acceptedUnless(
      platform,
      exportFileProblem(exportPath, held->records(), moleculeCount(run.output.value_or(""))),
      kExportFileAlertTitle);
}

}  // namespace molbench
