// A SMARTS filter runs only with a pattern obabel can use. obabel empties its output before it
// finds the pattern missing or unreadable, and then exits 0: a kept file would be lost with no
// word. Every pane that filters by SMARTS asks here first.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace molbench {

// How a pane reads its SMARTS-mode popup.
enum class SmartsUse {
  // "Choose" (or no row) means no filter: Convert, the file search, the viewer.
  filterOrNone,
  // An index search: obabel's index has no query but "-s", so only "matching" searches.
  indexQuery,
};

// Why a run refuses the filter, as its alert says it: a title that says what to do, and why.
struct SmartsProblem {
  std::string title;
  std::string text;
};

// The check run: obabel reads the pattern as the run would, on a one-atom molecule, and writes
// nothing. Standard error is merged into what it prints.
std::string smartsCheckCommand(const std::string& obabelPath, const std::string& pattern);

// obabel's own words when its report says it cannot use the pattern (its pattern filter's
// error), else nothing.
std::optional<std::string> obabelPatternError(const std::string& checkOutput);

// The problem with the mode and pattern, or nothing when the run may go on. Runs the check
// (in this program's working folder, as every run is, so a pattern file's relative name reads
// the same file) only for a pattern that would reach obabel.
std::optional<SmartsProblem> smartsFilterProblem(const std::string& obabelPath,
                                                 const std::string& modeTitle,
                                                 const std::string& pattern, SmartsUse use);

// Shows the alert for that problem and returns false; true when there is none.
bool smartsFilterAccepted(platform::Platform& platform, const std::string& obabelPath,
                          const std::string& modeTitle, const std::string& pattern, SmartsUse use);

inline constexpr const char* kTypePatternTitle = "Type a SMARTS pattern";
inline constexpr const char* kChooseModeTitle = "Choose a SMARTS mode";
inline constexpr const char* kMendPatternTitle = "Mend the SMARTS pattern";

}  // namespace molbench
