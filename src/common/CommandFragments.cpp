#include "common/CommandFragments.h"

#include <string_view>

#include "common/FormatTables.h"
#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"

namespace molbench {

std::optional<std::string> smartsFragment(const std::string& modeTitle, const std::string& smarts) {
  if (modeTitle == kChooseRow) return std::string();
  if (modeTitle == "matching") return " -s " + optionValue(smarts) + " ";
  if (modeTitle == "not_matching") return " -v " + optionValue(smarts) + " ";
  return std::nullopt;
}

bool searchesIndex(const std::string& modeTitle) { return modeTitle == "matching"; }

std::optional<std::string> countFromSummary(const std::string& countOutput) {
  std::optional<std::string> count;
  std::size_t start = 0;
  while (start < countOutput.size()) {
    std::size_t end = countOutput.find('\n', start);
    if (end == std::string::npos) end = countOutput.size();
    std::string line = countOutput.substr(start, end - start);
    if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) count = line;
    start = end + 1;
  }
  return count;
}

std::string inputFormatFlag(const std::string& formatTitle) {
  // A bare "-i" would take the quoted input path for the format's code.
  if (formatTitle.empty() || formatTitle == kAutodetectRow || formatTitle == kChooseRow) return "";
  return "-i" + firstWord(formatTitle);
}

namespace {
constexpr std::string_view kPipefail = "set -o pipefail; ";
}  // namespace

std::string pipedRuns(const std::string& first, const std::string& second) {
  return std::string(kPipefail) + first + " | " + second;
}

std::optional<std::string> pipedOutput(const std::string& command,
                                       const std::optional<std::string>& output) {
  return command.starts_with(kPipefail) ? output : std::nullopt;
}

}  // namespace molbench
