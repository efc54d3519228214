// A split whose files obabel cannot write as they are to be: obabel splits into a scratch folder
// of its own and each file is then written under the numbered name obabel would have given it.
// Open Babel 3.1.1 compresses every file of a split twice (obabel then reads no molecule from it)
// and crashes as it ends, so gzip compresses each file once; a split run that reads Molbench's
// scratch file names that file where some formats name their input (NamedInput.h).
#pragma once

#include <optional>
#include <string>

namespace molbench {

// Whether obabel gzips what it writes at this path: under -z, or when no output format is named
// and the path ends in ".gz" (obabel then takes the format from under the ".gz").
bool obabelCompresses(bool zipOption, bool formatNamed, const std::string& outputPath);

// The pieces of a command that splits into a scratch folder.
struct FolderSplit {
  // Starts the command: makes the scratch folder "$dir", which bash removes when it exits.
  std::string scratchFolder;
  // The split run's " -O " and its output inside that folder, as obabel reaches it.
  std::string target;
  // Ends the split run: opens the folder for it.
  std::string folderDescriptor;
  // Runs after the split run: writes each file it wrote in place, in the order of their numbers,
  // once the folder proves to have had room for them, and counts them.
  std::string placeEach;
};

// For the output path as obabel would get it, the code of the named output format ("" when the
// path's name gives the format), and the command that makes each file to put in place from the
// one obabel wrote, read on its standard input and written on its standard output ("gzip -n").
// `keptFromRoot` as for scratchRoomCheck.
FolderSplit folderSplit(const std::string& outputPath, const std::string& namedFormat,
                        const std::string& eachFile,
                        std::optional<unsigned long long> keptFromRoot);

}  // namespace molbench
