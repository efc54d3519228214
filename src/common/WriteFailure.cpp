#include "common/WriteFailure.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>

#include "common/DiskRoom.h"
#include "common/RunFailure.h"
#include "platform/Utf8.h"

namespace molbench {

namespace {

// A write fills whole pages: one that met the end of the disk may leave less than a page free.
unsigned long long pageBytes(const struct statvfs& disk) {
  long page = ::sysconf(_SC_PAGESIZE);
  return std::max<unsigned long long>(page > 0 ? static_cast<unsigned long long>(page) : 4096,
                                      disk.f_frsize);
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The name obabel gave on its "Cannot write to" line: a split names the numbered file it stopped
// at. A line that only quotes the words (a molecule's title in a warning) names nothing.
std::optional<std::string> nameObabelCouldNotWrite(const platform::posix::BashRun& run) {
  auto line = run.lineSaying(kCannotWrite);
  std::string prefix = std::string(kCannotWrite) + " ";
  if (!line || line->size() <= prefix.size()) return std::nullopt;
  std::string name = platform::decodeUtf8Lossy(line->substr(prefix.size()));
  if (!name.empty() && name.back() == '\r') name.pop_back();
  if (name.empty()) return std::nullopt;
  return name;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

platform::AlertRequest cannotWriteAlert(const platform::posix::BashRun& run,
                                        const std::string& program,
                                        const std::optional<std::string>& outputPath,
                                        OutputFate fate) {
  auto named = nameObabelCouldNotWrite(run);
  std::string file = named ? quoted(*named) : outputPath ? quoted(*outputPath) : "its output";
  return unusableOutputAlert(
      run, program + " could not write its output",
      "It could not write " + file +
          " (the folder may not be writable, the file read-only, or its name too long: at most "
          "255 bytes), and still ended as if it had succeeded." +
          (fate == OutputFate::keptAsWritten
               ? " A file of that name from an earlier run is not this run's result; what this "
                 "run wrote before it stopped is kept."
               : ""),
      kCannotWrite);
}

platform::AlertRequest fullDiskAlert(const platform::posix::BashRun& run,
                                     const std::string& program, const std::string& outputPath,
                                     OutputFate fate) {
  return unusableOutputAlert(
      run, "The output may be cut short",
      "The file system that holds " + quoted(outputPath) + " has no room left after the run. " +
          program +
          " writes what fits and still ends as if it had succeeded, so what it wrote may end "
          "short of its last molecules, even in the middle of one." +
          (fate == OutputFate::keptAsWritten
               ? " The file is kept as it is: make room and run again."
               : " Make room and run again."));
}

bool said(platform::Platform& platform, const std::optional<platform::AlertRequest>& alert) {
  if (!alert) return false;
  platform.runAlert(*alert);
  return true;
}

}  // namespace

bool noRoomLeft(const std::string& path) {
  std::string folder = folderOf(path);
  struct statvfs disk {};
  if (::statvfs(folder.c_str(), &disk) != 0 || disk.f_blocks == 0) return false;
  return roomLeft(disk, ::geteuid() == 0, keptFromRoot(folder)) < pageBytes(disk);
}

std::optional<platform::AlertRequest> writeFailureAlert(
    const platform::posix::BashRun& run, const std::string& program,
    const std::optional<std::string>& outputPath, OutputFate fate) {
  if (run.wroteOnError(kCannotWrite)) return cannotWriteAlert(run, program, outputPath, fate);
  if (outputPath && noRoomLeft(*outputPath)) return fullDiskAlert(run, program, *outputPath, fate);
  return std::nullopt;
}

bool saidWriteFailure(platform::Platform& platform, const platform::posix::BashRun& run,
                      const std::string& program, const std::optional<std::string>& outputPath) {
  return said(platform, writeFailureAlert(run, program, outputPath));
}

}  // namespace molbench
