#include "common/ChooseFile.h"

namespace molbench {

std::optional<platform::FileUrl> chooseFile(
    platform::Platform& platform, const std::string& title,
    const std::optional<std::vector<std::string>>& allowedExtensions) {
  platform::OpenPanelRequest request;
  request.title = title;
  request.showsResizeIndicator = true;
  request.showsHiddenFiles = false;
  request.canChooseDirectories = true;
  request.canCreateDirectories = true;
  request.allowsMultipleSelection = false;
  request.allowedFileTypes = allowedExtensions;
  auto path = platform.runOpenPanel(request);
  if (!path || path->empty()) return std::nullopt;
  return platform::FileUrl::fromPath(*path);
}

std::optional<platform::FileUrl> chooseFileInto(
    platform::Platform& platform, const std::string& title, platform::TextField& field,
    const std::optional<std::vector<std::string>>& allowedExtensions) {
  auto chosen = chooseFile(platform, title, allowedExtensions);
  if (chosen) field.setText(chosen->path());
  return chosen;
}

std::string folderPreset(const platform::FileUrl& chosen, const std::string& ending) {
  return chosen.deletingLastPathComponent().path() + ending;
}

std::string extensionPreset(const platform::FileUrl& chosen, const std::string& ending) {
  return chosen.deletingPathExtension().path() + ending;
}

}  // namespace molbench
