// What the web engine must be told before the application object exists.
#pragma once

#include <string>

namespace molbench::qt {

// The user's Chromium switches, with the one the 3D view needs added when absent. Without a
// GPU (Xvfb, VNC, a virtual machine) Chromium falls back to a software renderer but blocks
// WebGL on it, and the view shows "WebGL appears to be disabled".
std::string withWebGLSwitches(const std::string& userSwitches);

// Puts those switches into QTWEBENGINE_CHROMIUM_FLAGS and makes windows share one GL context,
// which scenes holding web views need. Call before the QApplication is made.
void prepareWebEngine();

}  // namespace molbench::qt
