// The viewer's command texts and the reading of what obabel prints, as plain functions so
// each text can be checked without a window. Paths are quoted for the shell here, values made
// single shell words, so every piece reaches obabel as the one argument the user meant.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/molecule.h"

namespace molbench {

// A path derived from the input as a file path: the input less the extension of its last
// component, then the ending ("/data/set1.sdf" and "export.sdf" give "/data/set1export.sdf").
// Nothing for an empty input.
std::optional<std::string> derivedPath(const std::string& inputPath, const std::string& ending);

// The quoted path a row carries back to the plain path (for the output guard).
std::string unquotedPath(const std::string& quoted);

// Counting and title listing; Q is the quoted input path.
std::string countCommand(const std::string& obabelPath, const std::string& quotedInput);
std::string titleCommand(const std::string& obabelPath, const std::string& quotedInput);

// The count from obabel's summary line "N molecules converted", which the count command cuts
// to its first field: the last line that holds anything. Warnings come before it, so the
// first line is not the count. 0 when that line is no whole number.
int64_t moleculeCount(std::string_view countOutput);

// The text cut at every line feed, empty pieces kept (a final line feed gives a last, empty
// piece).
std::vector<std::string> splitLines(std::string_view text);

// One record per ordinal 1..count: the title listed for it, or "mol" and the ordinal.
std::vector<molecule> moleculesOf(int64_t count, const std::vector<std::string>& titles,
                                  const std::string& quotedInput);

// The depiction of one molecule into the scratch picture.
std::string selectionFragment(int64_t ordinal);                     // " -f N -l N"
std::string pictureOutputFragment(const std::string& picturePath);  // " -opng -O P  --Gen2D "
std::string highlightFragment(const std::string& smarts);           // "" or " --highlight S red"
std::string depictionCommand(const std::string& obabelPath, const std::string& quotedFile,
                             const std::string& selection, const std::string& output,
                             const std::string& highlight);

// The filter listing: one line for each molecule that matches ("matching") or does not match
// ("not_matching") the SMARTS, its title with its ordinal in the file appended by obabel
// ("phenol 3", or "2" for an untitled molecule). The fragment is nothing for any other mode
// title.
std::optional<std::string> filterFragment(const std::string& modeTitle, const std::string& smarts);
std::string filterCommand(const std::string& obabelPath, const std::string& quotedInput,
                          const std::string& iFileType, const std::string& fragment);

// The ordinals in that listing, in its order: the last blank-separated word of each line that
// is a whole number from 1 up. Titles play no part, whatever words or numbers they hold.
std::vector<int64_t> listedOrdinals(std::string_view listing);

// Export: copy one molecule of a row's file into the temporary file, then join the temporary
// file and the export file into the export file (obabel reads both whole before it opens its
// output).
std::string exportCopyCommand(const std::string& obabelPath, const std::string& quotedFile,
                              int64_t ordinal, const std::string& temporaryPath);
std::string exportJoinCommand(const std::string& obabelPath, const std::string& temporaryPath,
                              const std::string& exportPath);

// The line an answer adds to the SMILES file: the answer with its NUL bytes and its closing line
// end dropped and its other line feeds made tabs, a tab, the name and a line feed.
// Nothing for an answer without any text.
std::optional<std::string> pubchemResultLine(const std::string& answer, const std::string& name);

}  // namespace molbench
