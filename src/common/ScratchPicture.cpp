#include "common/ScratchPicture.h"

#include <filesystem>

namespace molbench {

std::string scratchPicturePath(const platform::FileUrl& temporaryDirectory) {
  return temporaryDirectory.path() + "/" + kScratchPictureName;
}

std::string scratchPictureAddress(const platform::FileUrl& temporaryDirectory) {
  return temporaryDirectory.absoluteString() + "/" + kScratchPictureName;
}

bool removeScratchPicture(const platform::FileUrl& temporaryDirectory) {
  std::error_code error;
  std::filesystem::remove(scratchPicturePath(temporaryDirectory), error);
  return !std::filesystem::exists(scratchPicturePath(temporaryDirectory), error);
}

bool scratchPictureDrawn(const platform::FileUrl& temporaryDirectory) {
  std::error_code error;
  auto size = std::filesystem::file_size(scratchPicturePath(temporaryDirectory), error);
  return !error && size > 0;
}

void showScratchPicture(platform::Platform& platform, const platform::FileUrl& temporaryDirectory,
                        platform::WebView& view, const std::string& action) {
  if (scratchPictureDrawn(temporaryDirectory)) {
    view.loadRequest(scratchPictureAddress(temporaryDirectory));
    return;
  }
  platform.diagnostic(action + ": obabel drew no picture");
  removeScratchPicture(temporaryDirectory);
  view.loadRequest(kNoPicture);
}

}  // namespace molbench
