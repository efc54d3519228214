#include "platform/posix/FileHandle.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace molbench::platform::posix {

std::unique_ptr<FileHandle> FileHandle::forReadingAtPath(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::unique_ptr<FileHandle>(new FileHandle(fd));
}

FileHandle::~FileHandle() { ::close(fd_); }

std::string FileHandle::readDataOfLength(size_t length) {
  std::string data(length, '\0');
  for (;;) {
    ssize_t count = ::read(fd_, data.data(), length);
    if (count >= 0) {
      data.resize(static_cast<size_t>(count));
      return data;
    }
    if (errno != EINTR) return {};
  }
}

}  // namespace molbench::platform::posix
