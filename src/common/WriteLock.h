// One writer at a time for a file that Molbench judges and may put back after obabel writes it
// (an export file, an index). Two at once (two windows, two Molbench) would each take the
// other's bytes for a failed run and write their own old bytes back, or leave a file of both. A
// writer holds an advisory lock (flock) on the file itself, which names the file for certain
// through any link to it, from its first look at the file to its last write. A second writer
// finds the file held and stops before it writes anything.
#pragma once

#include <optional>
#include <string>

namespace molbench {

class WriteLock {
 public:
  // `heldSentence` is what take() says when another writer holds the file.
  WriteLock(std::string path, std::string heldSentence);
  // Lets go of the file; the empty file take() made goes when nothing wrote into it.
  ~WriteLock();
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

  // Takes the file, or says that another writer holds it. Where there is no file yet it makes
  // an empty one to hold (obabel writes into it, as into a new file). Where no lock can be had
  // (a folder that takes no new file, a file system without locks) the writer goes on as
  // before: its own checks and obabel say what is wrong.
  std::optional<std::string> take();

  // Whether take() made the file: there was none before this writer.
  bool madeTheFile() const { return made_; }

 private:
  std::string path_, heldSentence_;
  int fd_ = -1;
  bool made_ = false;
};

}  // namespace molbench
