// The popup rules every pane shares: filling a popup when a view loads, reading the picked
// row, and the token a row contributes to a command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Control.h"

namespace molbench {

// Removes all items, adds the titles in order, selects the index (sends no action).
void fillPopup(platform::PopUpButton& popup, const std::vector<std::string>& titles, int index = 0);

// The format handlers' refill: the options popup holds exactly the table with its first row
// selected, or nothing when the picked format has no table.
void showOptionTable(platform::PopUpButton& options, const std::vector<std::string>* table);

// The title of the selected item of the popup that sent an action; absent when the sender is
// no popup or has no selected item.
std::optional<std::string> selectedTitle(platform::Control* sender);

// A row's token: its text before the first blank (a space, a tab or another Unicode space
// separator; line breaks do not count). "" for the empty title or one that begins with a blank.
std::string firstWord(const std::string& title);

// The token of a popup title, or "" when the title is the popup's sentinel row ("Options",
// "Choose", "autodetect from extension").
std::string tokenUnless(const std::string& title, const std::string& sentinel);

}  // namespace molbench
