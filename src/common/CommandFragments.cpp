#include "common/CommandFragments.h"

#include "common/FormatTables.h"
#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"

namespace molbench {

std::optional<std::string> smartsFragment(const std::string& modeTitle, const std::string& smarts) {
  if (modeTitle == kChooseRow) return std::string();
  if (modeTitle == "matching") return " -s " + shellWord(smarts) + " ";
  if (modeTitle == "not_matching") return " -v " + shellWord(smarts) + " ";
  return std::nullopt;
}

std::string inputFormatFlag(const std::string& formatTitle) {
  if (formatTitle == kAutodetectRow) return "";
  return "-i" + firstWord(formatTitle);
}

}  // namespace molbench
