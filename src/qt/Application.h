// The program's life once the QApplication exists: the main window, then the event loop until
// the user quits or closes the last window.
#pragma once

#include "platform/Platform.h"

namespace molbench::qt {

// Registers the scenes, shows the main window (after its start-up check) and runs the event
// loop; answers the loop's exit code.
int runApplication(platform::Platform& platform);

}  // namespace molbench::qt
