#include "common/DiskRoom.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace molbench {

std::optional<unsigned long long> keptFromRoot(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return std::nullopt;
  std::error_code error;
  auto device =
      std::filesystem::read_symlink("/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                                        std::to_string(minor(info.st_dev)),
                                    error);
  if (error || device.filename().empty()) return std::nullopt;
  std::ifstream reserved("/sys/fs/ext4/" + device.filename().string() + "/reserved_clusters");
  unsigned long long clusters = 0;
  struct statvfs disk {};
  if (!(reserved >> clusters) || ::statvfs(folder.c_str(), &disk) != 0) return std::nullopt;
  return clusters * disk.f_frsize;
}

std::optional<unsigned long long> shellScratchKeptFromRoot() {
  if (::geteuid() != 0) return std::nullopt;
  const char* folder = std::getenv("TMPDIR");
  return keptFromRoot(folder && *folder ? folder : "/tmp");
}

unsigned long long roomLeft(const struct statvfs& disk, bool root,
                            std::optional<unsigned long long> keptFromRoot) {
  if (!root || !keptFromRoot) return static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize;
  unsigned long long free = static_cast<unsigned long long>(disk.f_bfree) * disk.f_frsize;
  return free > *keptFromRoot ? free - *keptFromRoot : 0;
}

}  // namespace molbench
