// Open Babel's fast-search index holds fingerprints only: a search through it reads its hits
// from the molecule file the index was made from, so that file is an input of every run that
// reads the index. An index is known by its header, whatever its name: obabel reads any file
// as one when told "-ifs".
#pragma once

#include <optional>
#include <string>

namespace molbench {

// True when the file at this path is a fast-search index: its header is well formed and the
// file's size is exactly what the header's counts make. Never blocks.
bool isFastSearchIndex(const std::string& path);

// The molecule file that the index at this path was made from, as obabel finds it: the name
// stored in the index header, taken from the index's folder unless it is absolute. Nothing
// when the file is no fast-search index.
std::optional<std::string> indexedMoleculeFile(const std::string& indexPath);

}  // namespace molbench
