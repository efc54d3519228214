#include "common/FormatChoice.h"

#include "common/FormatTables.h"
#include "common/PopupHelpers.h"

namespace molbench {

FormatSettings FileFormatControls::readFormatSettings() const {
  return {inputFiletype->titleOfSelectedItem(), outputFiletype->titleOfSelectedItem(),
          inputFileoptions->titleOfSelectedItem(), outputFileoptions->titleOfSelectedItem()};
}

void showInputOptionsForPick(platform::Control* formatPopup, platform::PopUpButton& options) {
  auto title = selectedTitle(formatPopup);
  showOptionTable(options, title ? formatTables().inputOptionsFor(*title) : nullptr);
}

void showOutputOptionsForPick(platform::Control* formatPopup, platform::PopUpButton& options) {
  auto title = selectedTitle(formatPopup);
  showOptionTable(options, title ? formatTables().outputOptionsFor(*title) : nullptr);
}

}  // namespace molbench
