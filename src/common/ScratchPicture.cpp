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

}  // namespace molbench
