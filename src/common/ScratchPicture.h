// The scratch depiction "myjunk.png" in the temporary directory: the viewer and the lookup pane
// draw into it with obabel and show it in their web views.
#pragma once

#include <string>

#include "platform/Control.h"
#include "platform/FileUrl.h"
#include "platform/Platform.h"

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

// After the program ran: the web view shows the picture it drew, or a blank page (and a
// diagnostic naming the action) when it drew none, removing the empty file obabel leaves then.
void showScratchPicture(platform::Platform& platform, const platform::FileUrl& temporaryDirectory,
                        platform::WebView& view, const std::string& action);

inline constexpr const char* kNoPicture = "about:blank";

}  // namespace molbench
