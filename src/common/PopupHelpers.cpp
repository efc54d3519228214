#include "common/PopupHelpers.h"

namespace molbench {

namespace {

// Length in bytes of the blank that starts at text[i], or 0. Covers ASCII space and tab and
// the Unicode space separators (category Zs) in UTF-8.
size_t blankLength(const std::string& text, size_t i) {
  auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0; };
  unsigned char c = byte(i);
  if (c == ' ' || c == '\t') return 1;
  if (c == 0xC2 && byte(i + 1) == 0xA0) return 2;                      // U+00A0
  if (c == 0xE1 && byte(i + 1) == 0x9A && byte(i + 2) == 0x80) return 3;  // U+1680
  if (c == 0xE2 && byte(i + 1) == 0x80) {
    unsigned char d = byte(i + 2);
    if ((d >= 0x80 && d <= 0x8A) || d == 0xAF) return 3;  // U+2000..U+200A, U+202F
  }
  if (c == 0xE2 && byte(i + 1) == 0x81 && byte(i + 2) == 0x9F) return 3;  // U+205F
  if (c == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) return 3;  // U+3000
  return 0;
}

}  // namespace

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
    if (blankLength(title, i) > 0) return title.substr(0, i);
  return title;
}

std::string tokenUnless(const std::string& title, const std::string& sentinel) {
  return title == sentinel ? std::string() : firstWord(title);
}

}  // namespace molbench
