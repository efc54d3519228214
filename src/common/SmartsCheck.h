// A SMARTS filter runs only with a pattern obabel can use. obabel empties its output before it
// finds the pattern missing or unreadable, and then exits 0: a kept file would be lost with no
// word. Every pane that filters by SMARTS asks here first.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace molbench {

// How a pane reads its SMARTS-mode popup, and how obabel reads its pattern.
enum class SmartsUse {
  // "Choose" (or no row) means no filter: Convert, the file search, the viewer, on a molecule
  // file. obabel reads the pattern as a SMARTS or a pattern file.
  filterOrNone,
  // As filterOrNone, but the input is a fast-search index (Convert, the file search): with
  // "matching", obabel searches the index and reads its query as the index search does.
  indexInput,
  // An index search: obabel's index has no query but "-s", so only "matching" searches.
  indexQuery,
};

// How obabel reads the pattern of a run over this input: as an index's query when the input is
// a fast-search index that obabel reads as one (by its name, or told "-ifs"; so told, it opens
// the index beside whatever file it is given).
SmartsUse smartsUseForInput(const std::string& inputPath, const std::string& inputFormatFlag);

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

// The problem with the mode and pattern (and, searching an index, the similarity the run
// passes as "-at"), or nothing when the run may go on. Runs the check (in this program's
// working folder, as every run is, so a pattern file's relative name reads the same file) only
// for a pattern that would reach obabel; an index's query is checked on an index made in a
// private folder under the scratch folder, and a check that cannot run is a problem. A
// similarity over a molecule file is one too: obabel reads "-at" only through an index.
std::optional<SmartsProblem> smartsFilterProblem(const std::string& obabelPath,
                                                 const std::string& modeTitle,
                                                 const std::string& pattern, SmartsUse use,
                                                 const std::string& similarity,
                                                 const std::string& scratchFolder);

// The files a run reads, with the pattern file it reads in this mode, if any: obabel reads a
// pattern (an index search's query) that names a file as that file. Such a file is an input of
// the run, never its output: obabel empties the output before it reads the pattern.
std::vector<std::string> withPatternFile(std::vector<std::string> filesRead,
                                         const std::string& modeTitle, const std::string& pattern);

// Shows the alert for that problem and returns false; true when there is none. Scratch files
// go to the platform's temporary directory.
bool smartsFilterAccepted(platform::Platform& platform, const std::string& obabelPath,
                          const std::string& modeTitle, const std::string& pattern, SmartsUse use,
                          const std::string& similarity = "");

// The SMARTS mode that filters by the pattern: a pane whose pattern always applies checks it so.
inline constexpr const char* kSmartsMatching = "matching";

inline constexpr const char* kTypePatternTitle = "Type a SMARTS pattern";
inline constexpr const char* kChooseModeTitle = "Choose a SMARTS mode";
inline constexpr const char* kMendPatternTitle = "Mend the SMARTS pattern";
inline constexpr const char* kMendSimilarityTitle = "Mend the similarity";
inline constexpr const char* kSimilarityNeedsIndexTitle = "A similarity needs the index";
inline constexpr const char* kQueryUncheckedTitle = "The query could not be checked";

}  // namespace molbench
