// What an open panel lets the user choose, the same in every back end: a panel limited to
// extensions refuses any other file, whether it was clicked in the list or its name typed.
#pragma once

#include <string>

#include "platform/Services.h"

namespace molbench::platform {

// True when the panel may close with this path: a folder when folders may be chosen, else a
// file when files may be chosen and, if the panel names extensions, its extension (in any
// letter case) is one of them.
bool openPanelAllows(const OpenPanelRequest& request, const std::string& path);

}  // namespace molbench::platform
