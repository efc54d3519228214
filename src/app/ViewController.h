// The main window's controller: checks the stored obabel path when the window loads, opens
// the help page and quits.
#pragma once

#include <string>

#include "platform/Bindings.h"

namespace molbench {

class ViewController : public platform::BoundViewController<ViewController> {
 public:
  using BoundViewController::BoundViewController;
  static const platform::Bindings<ViewController>& bindings();

  std::string obabelPath;

  void viewDidLoad() override;
  void openHelpURL(platform::Control* sender);
  void quitApp(platform::Control* sender);

  // The help page among the program's resources, as a file URL; empty when it is missing.
  std::string helpPageURL();

 private:
  bool dialogOKCancel();
};

}  // namespace molbench
