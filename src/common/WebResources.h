// Where generated pages load their scripts from: the folder "forwebview" among the program's
// resources, which holds JSME ("jsme/jsme.nocache.js") and 3Dmol.js ("3Dmol-min.js").
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace molbench {

// The folder's absolute file-URL text. It ends in "/" only when the folder exists, so pages
// that append "/jsme/..." get "//jsme" then; nothing when the program has no resource folder.
std::optional<std::string> webResourceBase(platform::Platform& platform);

}  // namespace molbench
