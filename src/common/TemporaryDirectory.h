// The user's temporary directory as a directory URL: panes put their scratch files and
// generated pages there.
#pragma once

#include "platform/FileUrl.h"
#include "platform/Platform.h"

namespace molbench {

// Marked as a directory, so its absoluteString ends in "/" and a file name appended to that
// text names a file inside the folder.
platform::FileUrl temporaryDirectoryUrl(platform::Platform& platform);

}  // namespace molbench
