#include "common/TextFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace molbench {

namespace {

// 0 when all of the text was written, else the error.
int writeAll(int fd, const std::string& text) {
  for (size_t written = 0; written < text.size();) {
    ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    written += static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

bool writeTextFileAtomically(const std::string& path, const std::string& text) {
  // The aside file must lie in the target's folder, or the rename would cross file systems.
  std::string aside = path + ".XXXXXX";
  int fd = ::mkstemp(aside.data());
  if (fd < 0) return false;
  bool written = writeAll(fd, text) == 0;
  written = (::close(fd) == 0) && written;
  if (!written || std::rename(aside.c_str(), path.c_str()) != 0) {
    ::unlink(aside.c_str());
    return false;
  }
  return true;
}

namespace {

// Appends under one lock, a line feed first where the file's last line is unfinished; `create`
// says whether a missing file is made.
std::optional<std::string> appendOnLineOfItsOwn(const std::string& path, std::string text,
                                                bool create) {
  static const std::string notAFile = "it is no longer a regular file";
  static std::mutex appending;
  std::lock_guard lock(appending);
  // Opening a FIFO for writing waits for a reader, and opening a device may act on it: neither
  // is opened when it can be seen first.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return notAFile;
  int flags = O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (create ? O_CREAT : 0);
  // Read access shows the last byte; a file that may only be written is appended to unseen.
  int fd = ::open(path.c_str(), O_RDWR | flags, 0666);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | flags, 0666);
  if (fd < 0 && errno == ENOENT && !create) return std::nullopt;
  // ENXIO: a FIFO without a reader took the path's place since the look.
  if (fd < 0) return errno == ENXIO ? notAFile : std::string(std::strerror(errno));
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return notAFile;
  }
  char last = '\n';
  if (info.st_size > 0 && ::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n')
    text.insert(0, 1, '\n');
  int failure = writeAll(fd, text);
  if (::close(fd) != 0 && !failure) failure = errno;
  if (failure) return std::string(std::strerror(failure));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> appendToTextFile(const std::string& path, const std::string& text) {
  return appendOnLineOfItsOwn(path, text, true);
}

std::optional<std::string> finishLastLine(const std::string& path) {
  return appendOnLineOfItsOwn(path, "", false);
}

}  // namespace molbench
