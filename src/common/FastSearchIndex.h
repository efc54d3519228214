// Open Babel's fast-search index (".fs") holds fingerprints only: a search through it reads
// its hits from the molecule file the index was made from, so that file is an input of every
// run that reads the index.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The molecule file that the index at this path was made from, as obabel finds it: the name
// stored in the index header, taken from the index's folder unless it is absolute. Nothing
// when the path does not end in ".fs" or holds no readable header.
std::optional<std::string> indexedMoleculeFile(const std::string& indexPath);

}  // namespace molbench
