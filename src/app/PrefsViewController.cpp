#include "app/PrefsViewController.h"

#include "app/AppTexts.h"
#include "common/Refusal.h"
#include "common/Shell.h"

namespace molbench {

const platform::Bindings<PrefsViewController>& PrefsViewController::bindings() {
  static const auto table =
      platform::Bindings<PrefsViewController>()
          .outlet("pathToobabel", &PrefsViewController::pathToobabel)
          .action("okButtonClicked:", &PrefsViewController::okButtonClicked)
          .action("cancelButtonClicked:", &PrefsViewController::cancelButtonClicked);
  return table;
}

void PrefsViewController::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"pathToobabel"})) return;
  auto field = pathToobabel.get();
  // "Need Path" is only a hint: confirming the untouched field must not store it as a path.
  field->setPlaceholder(kPreferencesPlaceholder);
  auto stored = platform().userDefaults().stringForKey(kObabelPathKey);
  field->setText(stored ? *stored : std::string());
}

void PrefsViewController::okButtonClicked(platform::Control*) {
  if (!outletsConnected("okButtonClicked:", {"pathToobabel"})) return;
  // On failure the window stays open, so the path typed is not lost and the user may try again.
  if (!platform().userDefaults().set(kObabelPathKey, pathToobabel.get()->text()) &&
      !acceptedUnless(platform(), kPreferencesNotSavedInformation, kPreferencesNotSavedMessage))
    return;
  platform().closeWindow(*this);
}

void PrefsViewController::cancelButtonClicked(platform::Control*) { platform().closeWindow(*this); }

}  // namespace molbench
