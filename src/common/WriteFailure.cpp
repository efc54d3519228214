#include "common/WriteFailure.h"

#include <sys/statvfs.h>

#include "common/RunFailure.h"
#include "platform/Utf8.h"

namespace molbench {

namespace {

// What the file system may keep back once a write has met its end: a few blocks that its own
// bookkeeping holds while the data are written out.
constexpr unsigned long long kFullMargin = 64 * 1024;

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
                                        const std::optional<std::string>& outputPath) {
  auto named = nameObabelCouldNotWrite(run);
  std::string file = named ? quoted(*named) : outputPath ? quoted(*outputPath) : "its output";
  return unusableOutputAlert(
      run, program + " could not write its output",
      "It could not write " + file +
          " (the folder may not be writable, the file read-only, or its name too long: at most "
          "255 bytes), and still ended as if it had succeeded. A file of that name from an "
          "earlier run is not this run's result; what this run wrote before it stopped is kept.",
      kCannotWrite);
}

platform::AlertRequest fullDiskAlert(const platform::posix::BashRun& run,
                                     const std::string& program, const std::string& outputPath) {
  return unusableOutputAlert(
      run, "The output may be cut short",
      "The file system that holds " + quoted(outputPath) + " has no room left after the run. " +
          program +
          " writes what fits and still ends as if it had succeeded, so what it wrote may end "
          "short of its last molecules, even in the middle of one. The file is kept as it is: "
          "make room and run again.");
}

bool said(platform::Platform& platform, const std::optional<platform::AlertRequest>& alert) {
  if (!alert) return false;
  platform.runAlert(*alert);
  return true;
}

}  // namespace

bool noRoomLeft(const std::string& path) {
  struct statvfs disk {};
  if (::statvfs(folderOf(path).c_str(), &disk) != 0 || disk.f_blocks == 0) return false;
  // The blocks free to ordinary users, for root's runs too: ext4 counts among its free blocks
  // those it keeps for its own bookkeeping, which no write of root's gets either, so a disk full
  // for root can show megabytes free but none available.
  return static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize < kFullMargin;
}

std::optional<platform::AlertRequest> writeFailureAlert(
    const platform::posix::BashRun& run, const std::string& program,
    const std::optional<std::string>& outputPath) {
  if (run.wroteOnError(kCannotWrite)) return cannotWriteAlert(run, program, outputPath);
  if (outputPath && noRoomLeft(*outputPath)) return fullDiskAlert(run, program, *outputPath);
  return std::nullopt;
}

bool saidWriteFailure(platform::Platform& platform, const platform::posix::BashRun& run,
                      const std::string& program, const std::optional<std::string>& outputPath) {
  return said(platform, writeFailureAlert(run, program, outputPath));
}

}  // namespace molbench
