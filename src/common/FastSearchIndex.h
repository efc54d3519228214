// Open Babel's fast-search index holds fingerprints only: a search through it reads its hits
// from the molecule file the index was made from, so that file is an input of every run that
// reads the index. An index is known by its header, whatever its name; obabel, told "-ifs" or
// given a name ending in ".fs" in any case, reopens the index under its name with the last
// extension replaced by ".fs" (indexReadAs).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace molbench {

// True when the file at this path is a fast-search index: its header is well formed and the
// file's size is exactly what the header's counts make. Never blocks.
bool isFastSearchIndex(const std::string& path);

// How many molecules the index at this path holds, by its header; nothing when the file is no
// fast-search index.
std::optional<uint32_t> fastSearchIndexEntries(const std::string& path);

// Whether any molecule of the index at this path has a fingerprint bit set; nothing when the
// file is no fast-search index. obabel indexes a file in another format than its name gives
// (SMILES text named ".sdf") as molecules without atoms, whose fingerprints are all empty.
std::optional<bool> fastSearchIndexHasFingerprintBits(const std::string& path);

// The molecule file that the index at this path was made from, as obabel finds it: the name
// stored in the index header, taken from the index's folder unless it is absolute. Nothing
// when the file is no fast-search index.
std::optional<std::string> indexedMoleculeFile(const std::string& indexPath);

// The name under which obabel opens an index given as this path: everything before the last
// "." of the path, then ".fs"; the path itself when it holds no ".". "x.FS" is read as "x.fs",
// "lib.idx" as "lib.fs".
std::string indexReadAs(const std::string& indexPath);

// Whether obabel, given no input format, searches the index at this path under this very name:
// the name gives it the code "fs" (an extension, or a bare file name "fs" in any case), and
// reopening under indexReadAs names the same path. "x.fs", "dir/fs" and "dir/FS" do; "x.FS"
// (reopened as "x.fs"), "dir.x/fs" (as "dir.fs") and "x.idx" do not.
bool nameReadAsIndex(const std::string& indexPath);

}  // namespace molbench
