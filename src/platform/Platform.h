// Everything a pane needs of the world beyond its own controls. The Qt back end implements it
// for the real program; the headless back end implements it for tests.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Control.h"
#include "platform/ServiceHosts.h"
#include "platform/Services.h"

namespace molbench::platform {

class ViewController;

class Platform {
 public:
  virtual ~Platform() = default;

  virtual UserDefaults& userDefaults() = 0;

  // Runs a modal open panel; the chosen item's file-system path, or nothing on Cancel.
  virtual std::optional<std::string> runOpenPanel(const OpenPanelRequest& request) = 0;
  // Runs a modal alert; the index of the button that closed it (0 is the first button).
  virtual int runAlert(const AlertRequest& request) = 0;
  // Opens an address in the default browser.
  virtual bool openURL(const std::string& url) = 0;

  virtual MainQueue& mainQueue() = 0;
  virtual std::shared_ptr<UrlSession> makeUrlSession() = 0;
  // The hosts of the public web services; the real program keeps the defaults.
  virtual ServiceHosts& serviceHosts() = 0;

  // Every line meant for standard output goes through here.
  virtual void diagnostic(const std::string& line) = 0;

  // The folder of the program's resources, when there is one.
  virtual std::optional<std::string> resourcePath() = 0;
  // The user's temporary directory, a path without a trailing "/".
  virtual std::string temporaryDirectory() = 0;

  // Builds the controller's scene from the layout "Main" and connects its outlets and actions.
  virtual std::shared_ptr<View> loadView(ViewController& controller) = 0;
  // Closes the window that shows the controller's view, if any.
  virtual void closeWindow(ViewController& controller) = 0;
  // Ends the application.
  virtual void terminate() = 0;
};

}  // namespace molbench::platform
