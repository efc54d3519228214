// The scratch depiction "myjunk.png" in the user's temporary directory: the viewer and the
// lookup pane each draw into it and show whatever it holds.
#pragma once

#include <string>

#include "platform/FileUrl.h"

namespace molbench {

inline constexpr const char* kScratchDepictionName = "myjunk.png";

// Where obabel writes it: the folder's path (no trailing "/"), "/", the name.
inline std::string scratchDepictionPath(const platform::FileUrl& temporaryDirectory) {
  return temporaryDirectory.path() + "/" + kScratchDepictionName;
}

// What a web view loads: the folder's URL text, which ends in "/", then "/" and the name.
inline std::string scratchDepictionAddress(const platform::FileUrl& temporaryDirectory) {
  return temporaryDirectory.absoluteString() + "/" + kScratchDepictionName;
}

}  // namespace molbench
