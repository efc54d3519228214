// The scratch depiction "myjunk.png" in the temporary directory: the viewer and the lookup pane
// draw into it with obabel and show it in their web views.
#pragma once

#include <string>

#include "platform/FileUrl.h"

namespace molbench {

inline constexpr const char* kScratchPictureName = "myjunk.png";

// The picture's file-system path, for commands.
std::string scratchPicturePath(const platform::FileUrl& temporaryDirectory);
// The address a web view loads: the folder's URL text (ending in "/"), then "/myjunk.png".
std::string scratchPictureAddress(const platform::FileUrl& temporaryDirectory);

// Removes the previous picture before a program draws a new one, so a drawing that fails
// leaves no picture rather than the previous molecule's. False when an old one stays.
bool removeScratchPicture(const platform::FileUrl& temporaryDirectory);
// True when the program left a picture to show.
bool scratchPictureDrawn(const platform::FileUrl& temporaryDirectory);

}  // namespace molbench
