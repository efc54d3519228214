#include "common/TemporaryDirectory.h"

namespace molbench {

platform::FileUrl temporaryDirectoryUrl(platform::Platform& platform) {
  return platform::FileUrl::fromPath(platform.temporaryDirectory(), true);
}

}  // namespace molbench
