#include "common/TextFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

namespace molbench {

namespace {

bool writeAll(int fd, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool writeTextFileAtomically(const std::string& path, const std::string& text) {
  // The aside file must lie in the target's folder, or the rename would cross file systems.
  std::string aside = path + ".XXXXXX";
  int fd = ::mkstemp(aside.data());
  if (fd < 0) return false;
  bool written = writeAll(fd, text);
  written = (::close(fd) == 0) && written;
  if (!written || std::rename(aside.c_str(), path.c_str()) != 0) {
    ::unlink(aside.c_str());
    return false;
  }
  return true;
}

}  // namespace molbench
