#include "search/IndexBackup.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace molbench {

IndexBackup::IndexBackup(std::string indexPath) : indexPath_(std::move(indexPath)) {}

std::optional<std::string> IndexBackup::moveAside() {
  std::error_code error;
  auto real = std::filesystem::canonical(indexPath_, error);
  if (error) return std::nullopt;  // no file there: nothing to lose
  // A short name of its own in the same folder: a rename keeps the file whole, and a name that
  // ends in ".fs" still reads as the index, should Molbench stop before it puts it back.
  std::string pattern = real.parent_path().string() + "/kept-index-XXXXXX.fs";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemps(name.data(), 3);
  bool moved = fd >= 0 && ::rename(real.c_str(), name.data()) == 0;
  std::string reason = moved ? "" : std::strerror(errno);
  if (fd >= 0) ::close(fd);
  if (!moved) {
    if (fd >= 0) ::unlink(name.data());
    return "Molbench cannot move the index \"" + indexPath_ +
           "\" aside while obabel rebuilds it (" + reason +
           "), and obabel empties it before it knows whether it can build a new one. Choose an "
           "index path in a folder you can write to.";
  }
  realPath_ = real.string();
  asidePath_ = name.data();
  return std::nullopt;
}

void IndexBackup::discard() {
  if (!asidePath_.empty()) ::unlink(asidePath_.c_str());
  asidePath_.clear();
}

std::string IndexBackup::putBack() {
  if (asidePath_.empty()) {
    struct stat info {};
    if (::lstat(indexPath_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return "";
    ::unlink(indexPath_.c_str());
    return "Molbench removed that file: there was none at the index path before.";
  }
  std::string aside = asidePath_;
  asidePath_.clear();
  if (::rename(aside.c_str(), realPath_.c_str()) != 0)
    return "Molbench could not put the index that was there before back (" +
           std::string(std::strerror(errno)) + "): it is kept as \"" + aside + "\".";
  return "The index that was there before is back in place, unchanged.";
}

}  // namespace molbench
