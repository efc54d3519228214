#include "common/PopupHelpers.h"

#include "platform/Utf8.h"

namespace molbench {

void fillPopup(platform::PopUpButton& popup, const std::vector<std::string>& titles, int index) {
  popup.removeAllItems();
  popup.addItemsWithTitles(titles);
  popup.selectItemAtIndex(index);
}

void showOptionTable(platform::PopUpButton& options, const std::vector<std::string>* table) {
  options.removeAllItems();
  if (!table) return;
  options.addItemsWithTitles(*table);
  options.selectItemAtIndex(0);
}

std::optional<std::string> selectedTitle(platform::Control* sender) {
  auto* popup = dynamic_cast<platform::PopUpButton*>(sender);
  if (!popup) return std::nullopt;
  return popup->selectedItemTitle();
}

std::string firstWord(const std::string& title) {
  for (size_t i = 0; i < title.size(); ++i)
    if (platform::blankLength(title, i, false) > 0) return title.substr(0, i);
  return title;
}

std::string tokenUnless(const std::string& title, const std::string& sentinel) {
  return title == sentinel ? std::string() : firstWord(title);
}

}  // namespace molbench
