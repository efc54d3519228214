#include "common/WebResources.h"

#include "platform/FileUrl.h"

namespace molbench {

std::optional<std::string> webResourceBase(platform::Platform& platform) {
  auto resources = platform.resourcePath();
  if (!resources || resources->empty()) return std::nullopt;
  return platform::FileUrl::fromPath(*resources, true)
      .appendingPathComponent("forwebview")
      .absoluteString();
}

}  // namespace molbench
