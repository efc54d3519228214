// The three obabel commands of the search pane: the SMARTS file search, the fast-search index
// build and the index search. Each is plain text that a test can read before bash runs it.
#pragma once

#include <string>

#include "common/FormatFlags.h"
#include "common/IndexQuery.h"

namespace molbench {

// The search controls that the file search and the index search share.
struct QuerySettings {
  std::string smartsMode;
  std::string smarts;
  std::string similarity;
};

struct FileSearchSettings : FormatSettings, QuerySettings {
  std::string inputPath;
  std::string outputPath;
};

// The pieces the pane keeps between searches: the index build reads `iFileType` as the last
// file search left it, and `osmartsConvert` carries over while the SMARTS-mode popup is empty.
struct SearchPieces : FormatFlags {
  std::string osmartsConvert;
  std::string syntaxSimscore;
};

// Sets the SMARTS fragment and the similarity piece from the query controls.
void updateQueryPieces(const QuerySettings& settings, SearchPieces& pieces);

// Filters the input file into the output file; updates every piece.
ComposedCommand composeFileSearch(const std::string& obabelPath, const FileSearchSettings& settings,
                                  SearchPieces& pieces);

// Writes the fast-search index of the input file to the index path.
std::string indexBuildCommand(const std::string& obabelPath, const std::string& iFileType,
                              const std::string& inputPath, const std::string& indexPath);

// Searches the index into the output file.
std::string indexSearchCommand(const std::string& obabelPath, const std::string& indexPath,
                               const std::string& outputPath, const std::string& syntaxSimscore,
                               const std::string& osmartsConvert);

// obabel searches an index only under a name that gives it the index format and that it reopens
// as it stands: one ending in ".fs" in lower case, or a bare "fs" in a path with no other ".".
// Any other name it either does not take for an index, or takes for one and then
// opens another name instead ("x.FS" reads "x.fs", "dir.x/fs" reads "dir.fs": another index or
// none); either way its -O has already emptied the output.
bool indexPathNamesIndex(const std::string& indexPath);

}  // namespace molbench
