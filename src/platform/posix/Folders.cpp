#include "platform/posix/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/FileUrl.h"

namespace molbench::platform::posix {

std::optional<std::string> userTemporaryDirectory() {
  const char* fromEnvironment = std::getenv("TMPDIR");
  if (fromEnvironment && *fromEnvironment) return withoutTrailingSlash(fromEnvironment);

  std::string path = "/tmp/molbench-" + std::to_string(::getuid());
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  struct stat info {};
  // lstat: a link planted by someone else must not redirect our pages.
  if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  if (info.st_uid != ::getuid()) return std::nullopt;
  if ((info.st_mode & 0777) != 0700) ::chmod(path.c_str(), 0700);
  return path;
}

std::optional<std::string> executableDirectory() {
  std::vector<char> buffer(4096);
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return std::nullopt;
  std::string path(buffer.data(), static_cast<size_t>(length));
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::optional<std::string> resourceDirectory() {
  const char* fromEnvironment = std::getenv("MOLBENCH_RESOURCES");
  if (fromEnvironment && *fromEnvironment && isFolder(fromEnvironment))
    return withoutTrailingSlash(fromEnvironment);
  std::vector<std::string> candidates;
  if (auto folder = executableDirectory()) {
    candidates.push_back(*folder + "/resources");
    candidates.push_back(*folder + "/../share/molbench");
  }
#ifdef MOLBENCH_BUILD_RESOURCE_DIR
  // Programs built beside the project (test suites of other projects) find the build tree's.
  candidates.push_back(MOLBENCH_BUILD_RESOURCE_DIR);
#endif
  for (const auto& candidate : candidates) {
    if (isFolder(candidate)) {
      char resolved[PATH_MAX];
      if (::realpath(candidate.c_str(), resolved)) return std::string(resolved);
      return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace molbench::platform::posix
