#include "viewer/ExportJoin.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/RunFailure.h"
#include "common/WriteFailure.h"
#include "viewer/ExportFiles.h"
#include "viewer/ViewerCommands.h"

namespace molbench {

namespace {

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

std::string systemError(int error) { return std::strerror(error); }

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

// The file the export path names: a link is followed, so the link stays and its file grows.
struct ExportTarget {
  std::string path;
  std::optional<struct stat> old;  // nothing for an export file not made yet
};

std::optional<ExportTarget> targetOf(const std::string& exportPath, std::string& problem) {
  struct stat link {};
  if (::lstat(exportPath.c_str(), &link) != 0) return ExportTarget{exportPath, std::nullopt};
  std::error_code error;
  auto real = std::filesystem::canonical(exportPath, error);
  struct stat old {};
  if (error || ::stat(real.c_str(), &old) != 0) {
    problem = "The export file " + inQuotes(exportPath) +
              " cannot be found: " + (error ? error.message() : systemError(errno)) + ".";
    return std::nullopt;
  }
  return ExportTarget{real.string(), old};
}

// Writes the bytes whole; 0, or the error number.
int writeAll(int to, const char* data, size_t size) {
  while (size > 0) {
    ssize_t wrote = ::write(to, data, size);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += wrote;
    size -= static_cast<size_t>(wrote);
  }
  return 0;
}

// Copies the file at `from` into the open file; 0, or the error number.
int copyInto(int to, const std::string& from) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  std::vector<char> buffer(1 << 20);
  int error = 0;
  while (error == 0) {
    ssize_t got = ::read(in, buffer.data(), buffer.size());
    if (got == 0) break;
    if (got < 0)
      error = errno == EINTR ? 0 : errno;
    else
      error = writeAll(to, buffer.data(), static_cast<size_t>(got));
  }
  ::close(in);
  return error;
}

// A copy of the target beside it (an empty file for a first export), with the target's owner,
// group and mode (the creator's own and the usual mode for a first export); its name ends in
// ".sdf" so obabel writes SD. obabel then joins into this copy as it did into the export file:
// reading it whole before it writes, in a few large writes, not one a line as into a file it
// does not read. Its path, or nothing with `problem` said.
std::optional<std::string> copyBeside(const ExportTarget& target, std::string& problem) {
  static std::atomic<unsigned> made{0};
  int fd = -1;
  std::string path;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    path = target.path + ".joining-" + std::to_string(::getpid()) + "-" + std::to_string(++made) +
           ".sdf";
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    problem = "No new file can be made beside the export file " + inQuotes(target.path) + " (" +
              inQuotes(path) + ": " + systemError(errno) + ").";
    return std::nullopt;
  }
  std::string failed;
  int error = 0;
  if (target.old) {
    struct stat mine {};
    // The owner first: changing it clears the set-user-ID and set-group-ID bits.
    if (::fstat(fd, &mine) != 0 ||
        ((mine.st_uid != target.old->st_uid || mine.st_gid != target.old->st_gid) &&
         ::fchown(fd, target.old->st_uid, target.old->st_gid) != 0))
      failed = "its owner and group cannot be kept";
    else if (::fchmod(fd, target.old->st_mode & 07777) != 0)
      failed = "its mode cannot be kept";
    error = errno;
    if (failed.empty() && (error = copyInto(fd, target.path)) != 0)
      failed = "the copy cannot be written";
  }
  bool full = error == ENOSPC || error == EDQUOT;
  if (::close(fd) != 0 && failed.empty()) {
    error = errno;
    failed = "the copy cannot be written";
  }
  if (failed.empty()) return path;
  ::unlink(path.c_str());
  problem = fullDiskWords(full, target.path) + "The export file " + inQuotes(target.path) +
            " cannot be copied beside it for the join: " + failed + " (" + systemError(error) +
            ").";
  return std::nullopt;
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
  std::string problem;
  auto target = targetOf(join.exportPath, problem);
  auto joined = target ? copyBeside(*target, problem) : std::nullopt;
  if (!joined)
    return acceptedUnless(platform, problem + " The export file is left as it was.",
                          kExportStoppedTitle);

  command = exportJoinCommand(join.obabelPath, join.scratchPath, *joined);
  platform.diagnostic(command);
  auto run = shellReport(command);
  if (saidRunFailure(platform, run, Failures::any, "obabel")) {
    ::unlink(joined->c_str());
    return false;
  }
  int64_t expected = join.records + 1;
  auto held = sdRecordEnds(*joined);
  if (!held || held->ends != expected || held->textAfterLast) {
    bool full = noRoomLeft(*joined);
    ::unlink(joined->c_str());
    int64_t written = held ? held->ends : 0;
    return refused(platform, run,
                   fullDiskWords(full, target->path) + "obabel's join wrote " +
                       std::to_string(written) + " of the " + std::to_string(expected) +
                       " records, old and new, so the export file " + inQuotes(join.exportPath) +
                       " is left as it was, with its " + std::to_string(join.records) +
                       " molecules." + (full ? " Make room on the disk, then export again." : ""));
  }
  if (::rename(joined->c_str(), target->path.c_str()) != 0) {
    int error = errno;
    ::unlink(joined->c_str());
    return acceptedUnless(platform,
                          "The joined file cannot take the place of the export file " +
                              inQuotes(target->path) + " (" + systemError(error) +
                              "); the export file is left as it was.",
                          kExportStoppedTitle);
  }
  join.records = expected;
  return true;
}

}  // namespace molbench
