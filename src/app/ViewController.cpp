#include "app/ViewController.h"

#include "app/AppTexts.h"
#include "common/Shell.h"
#include "platform/FileUrl.h"

namespace molbench {

const platform::Bindings<ViewController>& ViewController::bindings() {
  static const auto table = platform::Bindings<ViewController>()
                                .action("openHelpURL:", &ViewController::openHelpURL)
                                .action("quitApp:", &ViewController::quitApp);
  return table;
}

void ViewController::viewDidLoad() {
  obabelPath = lookUpObabelPath(platform());
  platform().diagnostic(obabelPath);
  auto stored = platform().userDefaults().stringForKey(kObabelPathKey);
  if (!stored || isBlankObabelPath(*stored)) dialogOKCancel();
}

bool ViewController::dialogOKCancel() {
  platform::AlertRequest alert;
  alert.messageText = kMissingPathMessage;
  alert.informativeText = kMissingPathInformation;
  alert.style = platform::AlertStyle::Warning;
  alert.buttons = {"OK", "Cancel"};
  return platform().runAlert(alert) == 0;
}

std::string ViewController::helpPageURL() {
  auto resources = platform().resourcePath();
  if (!resources) return {};
  auto page = platform::FileUrl::fromPath(*resources).appendingPathComponent(kHelpPagePath);
  return page.absoluteString();
}

void ViewController::openHelpURL(platform::Control*) {
  std::string url = helpPageURL();
  if (url.empty()) {
    platform().diagnostic("The help page is missing: no resource folder was found");
    return;
  }
  platform().openURL(url);
}

void ViewController::quitApp(platform::Control*) { platform().terminate(); }

}  // namespace molbench
