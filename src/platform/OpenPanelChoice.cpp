#include "platform/OpenPanelChoice.h"

#include <algorithm>
#include <cctype>

#include "platform/FileUrl.h"

namespace molbench::platform {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

bool openPanelAllows(const OpenPanelRequest& request, const std::string& path) {
  if (isFolder(path)) return request.canChooseDirectories;
  if (!request.canChooseFiles) return false;
  if (!request.allowedFileTypes || request.allowedFileTypes->empty()) return true;
  std::string extension = FileUrl::fromPath(path).pathExtension();
  return std::any_of(
      request.allowedFileTypes->begin(), request.allowedFileTypes->end(),
      [&](const std::string& allowed) { return sameIgnoringCase(allowed, extension); });
}

}  // namespace molbench::platform
