// What picking a format does in the conversion and search panes: the options popup of that
// side then holds the format's option table with its first row selected, or nothing.
#pragma once

#include "platform/Control.h"

namespace molbench {

void showInputOptionsForPick(platform::Control* formatPopup, platform::PopUpButton& options);
void showOutputOptionsForPick(platform::Control* formatPopup, platform::PopUpButton& options);

}  // namespace molbench
