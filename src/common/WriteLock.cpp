#include "common/WriteLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace molbench {

namespace {

bool sameFile(const struct stat& one, const struct stat& other) {
  return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// A file removed or replaced between its opening and its locking is opened anew; a link to
// nothing (which no file can be made through without following it) gives up after a few.
constexpr int kTries = 8;

}  // namespace

WriteLock::WriteLock(std::string path, std::string heldSentence)
    : path_(std::move(path)), heldSentence_(std::move(heldSentence)) {}

WriteLock::~WriteLock() {
  if (fd_ < 0) return;
  struct stat held {
  }, named{};
  // Removed while still held, so that no other writer opens it meanwhile as a file it found.
  if (made_ && ::fstat(fd_, &held) == 0 && held.st_size == 0 &&
      ::stat(path_.c_str(), &named) == 0 && sameFile(held, named))
    ::unlink(path_.c_str());
  ::close(fd_);
}

std::optional<std::string> WriteLock::take() {
  for (int tries = 0; tries < kTries; ++tries) {
    bool made = false;
    // Not blocking: a FIFO put there since the checks never holds the writer.
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_CREAT | O_EXCL, 0666);
      made = fd >= 0;
      if (!made && errno == EEXIST) continue;
    }
    if (fd < 0) return std::nullopt;
    int locked;
    do {
      locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
      bool held = errno == EWOULDBLOCK;
      // A file made here that takes no lock goes, as there was none; one that another writer
      // holds (it found it a moment after it was made) is that writer's now.
      if (made && !held) ::unlink(path_.c_str());
      ::close(fd);
      if (!held) return std::nullopt;
      return heldSentence_;
    }
    struct stat mine {
    }, named{};
    if (::fstat(fd, &mine) == 0 && ::stat(path_.c_str(), &named) == 0 && sameFile(mine, named)) {
      fd_ = fd;
      made_ = made;
      return std::nullopt;
    }
    ::close(fd);
  }
  return std::nullopt;
}

}  // namespace molbench
