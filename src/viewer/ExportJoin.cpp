#include "viewer/ExportJoin.h"

#include <sys/stat.h>
#include <unistd.h>

#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/RunFailure.h"
#include "common/WriteFailure.h"
#include "viewer/ExportFiles.h"
#include "viewer/ViewerCommands.h"

namespace molbench {

namespace {

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

// Whether the file system holding the path has no room left: obabel says nothing when a write
// fails, and a file cut short is all it leaves.
std::string fullDiskWords(bool full, const std::string& path) {
  return full ? "The disk that holds " + inQuotes(path) + " is full. " : "";
}

// Says why, with the run's last error lines; false.
bool refused(platform::Platform& platform, const platform::posix::BashRun& run,
             const std::string& sentence) {
  auto alert = unusableOutputAlert(run, kExportStoppedTitle, sentence);
  platform.diagnostic(alert.informativeText);
  platform.runAlert(alert);
  return false;
}

// Why no join may run: nothing has been written yet.
std::string keepProblemWords(const ExportJoin& join, const std::string& written,
                             const KeptCopy::Problem& problem) {
  std::string file = "The export file " + inQuotes(join.exportPath);
  std::string left = " It is left as it is, with its " + moleculesWord(join.records) + ".";
  switch (problem.kind) {
    case KeptCopy::Problem::Kind::unwritable:
      return file + " is read-only (" + problem.reason +
             "): obabel cannot write the joined molecules into it." + left +
             " Make it writable, or rename or move it, then export again.";
    case KeptCopy::Problem::Kind::unreadable:
      return file + " cannot be read (" + problem.reason +
             "), so its records cannot be kept aside while obabel rewrites it." + left;
    case KeptCopy::Problem::Kind::noCopy:
      break;
  }
  return fullDiskWords(noRoomLeft(written), written) +
         "Molbench cannot keep the records of the export file " + inQuotes(join.exportPath) +
         " aside while obabel rewrites it (" + problem.reason +
         "), and obabel empties the file before it writes the joined molecules." + left +
         " Make room on the disk or in the temporary folder, then export again.";
}

// What became of the export file once a join was found wanting; `kept` is what its copy held.
std::string putBackWords(const ExportJoin& join, const KeptCopy::Outcome& outcome, int64_t kept) {
  std::string file = "the export file " + inQuotes(join.exportPath);
  std::string held = "its " + moleculesWord(kept);
  switch (outcome.kind) {
    case KeptCopy::Outcome::Kind::nothingThere:
      return "";
    case KeptCopy::Outcome::Kind::removed:
      return "Molbench removed what the join left at " + inQuotes(join.exportPath) +
             ": there was no export file before.";
    case KeptCopy::Outcome::Kind::unchanged:
      return "Nothing changed " + file + ": it holds " + held + ", as before.";
    case KeptCopy::Outcome::Kind::restored:
      return "Molbench wrote " + held + " back into " + file + ", as they were.";
    case KeptCopy::Outcome::Kind::copyUnreadable:
    case KeptCopy::Outcome::Kind::notRestored:
      break;
  }
  return "Molbench could not write " + held + " back into " + file + " (" + outcome.reason +
         "): they are kept as " + inQuotes(outcome.copy) + "; copy that file over " +
         inQuotes(join.exportPath) + " to get them back.";
}

// The old bytes go back, or what the join left goes where this export made the file; and the
// molecules the copy held, counted before it goes (the export's own count where it cannot be
// read).
std::pair<KeptCopy::Outcome, int64_t> putBack(const ExportJoin& join, KeptCopy& kept,
                                              const std::string& written) {
  int64_t held = join.records;
  if (!kept.copyPath().empty())
    if (auto copy = sdRecordEnds(kept.copyPath())) held = copy->records();
  struct stat info {};
  // The empty file stays the export's to remove when it lets go of it.
  if (join.madeTheFile && ::stat(written.c_str(), &info) == 0 && info.st_size == 0)
    return {{KeptCopy::Outcome::Kind::nothingThere, "", ""}, held};
  return {kept.putBack(), held};
}

}  // namespace

bool copiedIntoScratch(platform::Platform& platform, const platform::posix::BashRun& run,
                       const std::string& scratchPath) {
  const std::string stopped =
      " The export stopped at this molecule; the export file holds those exported before it.";
  if (saidRunFailure(platform, run, Failures::any, "obabel")) return false;
  // obabel says so and exits 0 when it cannot open its output (a read-only folder).
  if (run.wroteOnError(kCannotWrite))
    return refused(platform, run,
                   "obabel cannot write the scratch file " + inQuotes(scratchPath) +
                       " that each molecule is copied through (\"Cannot write to\")." + stopped);
  auto held = sdRecordEnds(scratchPath, 2);
  if (held && held->ends == 1 && !held->textAfterLast) return true;
  bool full = noRoomLeft(scratchPath);
  // obabel has just written it: cut short, it would only stand in the way of the next export.
  ::unlink(scratchPath.c_str());
  return refused(platform, run,
                 fullDiskWords(full, scratchPath) +
                     "obabel's copy of the molecule into the scratch file " +
                     inQuotes(scratchPath) + " holds no whole molecule." + stopped);
}

bool joinedIntoExportFile(platform::Platform& platform, ExportJoin& join, std::string& command) {
  KeptCopy kept(join.exportPath, join.temporaryFolder, kExportCopyName);
  // The empty file this export made holds nothing to keep: a join found wanting takes away
  // what it wrote there.
  auto problem = join.madeTheFile ? std::nullopt : kept.keep();
  // The file obabel writes: a link at the export path is followed.
  std::string written = kept.realPath().empty() ? join.exportPath : kept.realPath();
  if (problem)
    return acceptedUnless(platform, keepProblemWords(join, written, *problem), kExportStoppedTitle);

  command = exportJoinCommand(join.obabelPath, join.scratchPath, join.exportPath);
  platform.diagnostic(command);
  auto run = shellReport(command);
  auto failure = runFailureAlert(run, Failures::any, "obabel");
  int64_t expected = join.records + 1;
  auto held = (failure ? std::nullopt : sdRecordEnds(join.exportPath)).value_or(SdRecordEnds{});
  if (held.ends == expected && !held.textAfterLast) {
    kept.discard();
    join.records = expected;
    join.madeTheFile = false;
    return true;
  }
  // Before the old bytes go back: they take less room than the join did.
  bool full = noRoomLeft(written);
  auto [restored, keptRecords] = putBack(join, kept, written);
  std::string outcome = putBackWords(join, restored, keptRecords);
  if (failure) {
    if (!outcome.empty()) failure->informativeText += "\n\n" + outcome;
    platform.diagnostic(failure->informativeText);
    platform.runAlert(*failure);
    return false;
  }
  std::string what = run.wroteOnError(kCannotWrite)
                         ? "obabel could not write the joined molecules into the export file " +
                               inQuotes(join.exportPath) + " (\"Cannot write to\")."
                         : "obabel's join wrote " + std::to_string(held.ends) + " of the " +
                               std::to_string(expected) +
                               " records, old and new, into the export file " +
                               inQuotes(join.exportPath) + ".";
  return refused(platform, run,
                 fullDiskWords(full, written) + what + " " + outcome +
                     (full ? " Make room on the disk, then export again." : ""));
}

}  // namespace molbench
