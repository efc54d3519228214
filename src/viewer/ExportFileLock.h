// One export at a time writes an export file. Each export counts the file's records before its
// first join and checks every join against that count; two at once (two windows, two Molbench)
// would each take the other's records for a failed join and write their own old bytes back. An
// export holds an advisory lock (flock) on the export file itself, which names the file for
// certain through any link to it, from its first look at the file to its last join. A second
// export finds the file held and stops before it writes anything.
#pragma once

#include <optional>
#include <string>

namespace molbench {

class ExportFileLock {
 public:
  explicit ExportFileLock(std::string exportPath);
  // Lets go of the file; the empty file take() made goes when no join wrote into it.
  ~ExportFileLock();
  ExportFileLock(const ExportFileLock&) = delete;
  ExportFileLock& operator=(const ExportFileLock&) = delete;

  // Takes the file, or says that another export holds it. Where there is no file yet it makes
  // an empty one to hold (obabel's first join writes into it, as into a new file). Where no
  // lock can be had (a folder that takes no new file, a file system without locks) the export
  // goes on as before: its own checks and obabel say what is wrong.
  std::optional<std::string> take();

  // Whether take() made the file: there was none before this export.
  bool madeTheFile() const { return made_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool made_ = false;
};

inline constexpr const char* kExportFileHeldTitle = "Another export is writing into the file";

}  // namespace molbench
