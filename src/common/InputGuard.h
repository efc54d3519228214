// A run never starts on a file it cannot read: obabel and the shell's "> FILE" empty the output
// before the program finds its input missing, and a FIFO would block the run for good.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace molbench {

// How the program that reads a file learns its format.
enum class FormatSource {
  name,          // from the file's name alone: no format the pane offers reaches the program
  nameOrChoice,  // from the name, while the pane's input-format popup, which reaches the
                 // command, is left without a format
  chosen,        // a chosen format reaches the command ("-i")
  indexChosen,   // "fs" chosen ("-ifs"): obabel reads the file, then opens the index under the
                 // file's name with ".fs" in place of its extension (indexReadAs), and reads
                 // that index's molecule file
  none,          // the file is not read as molecules (a list of names, spectrophores)
};

// The source for an input-format flag as a pane puts it into its command: chosen when it names
// a format (indexChosen for "-ifs"), else left to the name while the pane could have chosen one.
FormatSource formatSourceOf(const std::string& inputFormatFlag);

// One file a run reads, with the name of the field it comes from ("input", "index",
// "template", "reference", "query", "database", "names"), how its format is learned and the
// program that reads it.
struct InputFile {
  std::string field;
  std::string path;
  FormatSource format = FormatSource::name;
  std::string reader = "obabel";
  // The run searches the file with a query ("-s") when it is a fast-search index: obabel then
  // reads the hits from the molecule file the index names. Any other run that reads molecules
  // gets none from an index, which holds only their fingerprints.
  bool searched = false;
};

// Why the file cannot be read as an input, or nothing when it can: the field is empty, the path
// does not exist, is a dangling link, a folder, not a regular file (a FIFO, a device, a socket),
// or cannot be opened for reading. The text names the field and the path. Never blocks.
std::optional<std::string> inputFileProblem(const InputFile& file);

// Why the reader cannot tell the file's format, when it learns it from the name and the name
// gives none that it reads (FormatFromName.h), or gives obabel its fast-search index format for
// a file that is no index, with what to do; nothing otherwise.
std::optional<std::string> inputFormatProblem(const InputFile& file);

// Shows an alert naming the first file that cannot be read and why, and returns false; true
// when every file can be read and its reader can tell its format. A fast-search index passes
// only where it is searched (or not read as molecules at all), under a name that gives obabel
// its format, and brings the molecule file it reads, whose format obabel takes from that
// file's name.
bool inputFilesAccepted(platform::Platform& platform, const std::vector<InputFile>& files);

// Every file the run opens for these inputs, in order: each path, and for one read with "fs"
// chosen, the index obabel opens in its place. The molecule file of an index is left to the
// output check, which finds it in the index.
std::vector<std::string> pathsRead(const std::vector<InputFile>& files);

// Why the program cannot be run from this path, or nothing when it can: the path names no
// file, a folder, or a file that may not be executed. A leading "~/" stands for $HOME, as the
// shell reads it. The text names the program and where it was looked for.
std::optional<std::string> programFileProblem(const std::string& program, const std::string& path);

// Whether the file begins as gzip data does. obabel reads such a file whole, but nothing can
// seek in it or read its lines as text.
bool isGzipCompressed(const std::string& path);

inline constexpr const char* kInputAlertTitle = "Choose an input file";
// The titles of that refusal: where a chosen format would reach the program, and where only a
// new name helps.
inline constexpr const char* kChooseFormatAlertTitle =
    "Choose the input's format or rename the file";
inline constexpr const char* kRenameInputAlertTitle = "Rename the input file";

}  // namespace molbench
