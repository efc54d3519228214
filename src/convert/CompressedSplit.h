// A split whose files are to be gzip-compressed. Open Babel 3.1.1 compresses every file of a
// split twice (obabel then reads no molecule from it) and crashes as it ends, so obabel splits
// uncompressed into a scratch folder of its own and gzip compresses each file once, under the
// numbered name obabel would have given it.
#pragma once

#include <string>

namespace molbench {

// Whether obabel gzips what it writes at this path: under -z, or when no output format is named
// and the path ends in ".gz" (obabel then takes the format from under the ".gz").
bool obabelCompresses(bool zipOption, bool formatNamed, const std::string& outputPath);

// The pieces of a command that splits into compressed files.
struct CompressedSplit {
  // Starts the command: makes the scratch folder "$dir", which bash removes when it exits.
  std::string scratchFolder;
  // The split run's " -O " and its output inside that folder, as obabel reaches it.
  std::string target;
  // Ends the split run: opens the folder for it.
  std::string folderDescriptor;
  // Runs after the split run: compresses the files it wrote, in the order of their numbers, once
  // the folder proves to have had room for them, and counts them.
  std::string compressEach;
};

// For the output path as obabel would get it, and the code of the named output format ("" when
// the path's name gives the format).
CompressedSplit compressedSplit(const std::string& outputPath, const std::string& namedFormat);

}  // namespace molbench
