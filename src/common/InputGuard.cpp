#include "common/InputGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/Refusal.h"

namespace molbench {

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// Opening without blocking also catches what stat cannot: a file the user may not read.
std::optional<std::string> openProblem(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::string(std::strerror(errno));
  ::close(fd);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> inputFileProblem(const InputFile& file) {
  const std::string& path = file.path;
  const std::string the = "The " + file.field + " file ";
  if (path.empty()) return "The " + file.field + " path is empty: choose or type a file name.";
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0)
    return the + quoted(path) + " cannot be found: " + std::strerror(errno) + ".";
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0)
    return the + quoted(path) + " is a link to nothing that exists: " + std::strerror(errno) + ".";
  if (S_ISDIR(target.st_mode)) return the + quoted(path) + " is a folder: choose a file inside it.";
  if (!S_ISREG(target.st_mode))
    return the + quoted(path) +
           " is not a regular file (a FIFO, a device or a socket): a run would wait on it for "
           "good.";
  if (auto problem = openProblem(path))
    return the + quoted(path) + " cannot be read: " + *problem + ".";
  return std::nullopt;
}

bool inputFilesAccepted(platform::Platform& platform, const std::vector<InputFile>& files) {
  for (const auto& file : files)
    if (!acceptedUnless(platform, inputFileProblem(file), kInputAlertTitle)) return false;
  return true;
}

}  // namespace molbench
