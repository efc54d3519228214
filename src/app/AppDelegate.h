// The application's delegate: nothing to do at launch or at exit; closing the last window
// ends the process.
#pragma once

namespace molbench {

class AppDelegate {
 public:
  void applicationDidFinishLaunching() {}
  void applicationWillTerminate() {}
  bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }
};

}  // namespace molbench
