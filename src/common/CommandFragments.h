// Command pieces that several panes put into their obabel commands.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The SMARTS filter fragment for a SMARTS-mode title: "" for "Choose", " -s PATTERN " for
// "matching", " -v PATTERN " for "not_matching", the pattern made one shell word. Nothing for
// any other title (an empty popup), so the caller keeps its previous fragment.
std::optional<std::string> smartsFragment(const std::string& modeTitle, const std::string& smarts);

// Whether a run under this SMARTS mode searches an input that is a fast-search index: the index
// answers only obabel's "-s", which "matching" gives. Under any other mode obabel would read
// the index itself and convert nothing.
bool searchesIndex(const std::string& modeTitle);

// The tail that makes obabel count a file's molecules: write nothing, merge standard error
// into the pipe and keep the first blank-separated field of each line.
inline constexpr const char* kCountTail = " -onul -v 'FFFFF' 2>&1 |cut -d  \" \" -f1";

// The molecule count in what the count command printed: the first word of obabel's summary
// line ("12 molecules converted"), which comes after any warnings. Nothing when there is none.
std::optional<std::string> countFromSummary(const std::string& countOutput);

// The input-format flag of a format title: "" for the rows that leave the format to the file's
// name ("autodetect from extension", the tool panes' "Choose") and for no row, else "-i" and
// the row's code.
std::string inputFormatFlag(const std::string& formatTitle);

// Two runs in one command, the first's standard output read by the second. A failing first run
// is the command's failure (pipefail), not an empty success of the second.
std::string pipedRuns(const std::string& first, const std::string& second);

// The file the second run writes when the command was made by pipedRuns and writes `output`;
// nothing for a command of one run. A failure of such a command names its run.
std::optional<std::string> pipedOutput(const std::string& command,
                                       const std::optional<std::string>& output);

}  // namespace molbench
