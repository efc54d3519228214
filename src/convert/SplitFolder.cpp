#include "convert/SplitFolder.h"

#include <algorithm>

#include "common/FormatFromName.h"
#include "common/OutputGuard.h"
#include "common/ShellQuote.h"
#include "convert/SplitScratch.h"

namespace molbench {

namespace {

// The scratch folder's path reaches obabel only as "/dev/fd/4", a descriptor open on the folder:
// obabel places a split's number by the first "*" of the whole path, else by its last ".gz" or
// ".", and reads a path that begins with "-" as an option. A $TMPDIR holding "*" or ".gz" or
// beginning with "-" made it write its files where no one looked, or none, and say nothing.
// "--" keeps rm from reading such a path as options.
constexpr const char* kScratchFolder =
    "dir=$(mktemp -d --tmpdir splitXXXXXX) && trap 'rm -rf -- \"$dir\"' EXIT && ";

// The files obabel wrote in the scratch folder, counted by the shell's own glob against those
// the loop placed (one more than the loop's last number): a file obabel numbered out of the
// loop's sight would be lost without a word.
constexpr const char* kCountCheck =
    " && { set -- \"$dir\"/m*; [ -e \"$1\" ] || shift; [ $# = $((i - 1)) ] || { echo \"obabel "
    "wrote $# files in the temporary folder and $((i - 1)) of them were put in place: the split "
    "is incomplete.\" >&2; exit 1; }; }";

// The extension of the scratch files: the code of the format obabel would write at the output
// path. A code holding a "/" (the path's last "." stands in a folder's name) is no format, and
// obabel refuses such a path; the scratch name, read after its "/", might give one, so the "/"
// becomes a "*", which no format's code holds.
std::string scratchExtension(const std::string& outputPath, const std::string& namedFormat) {
  std::string code = namedFormat.empty() ? formatFromName(outputPath, {}).code : namedFormat;
  std::replace(code.begin(), code.end(), '/', '*');
  return shellWord("." + code);
}

}  // namespace

bool obabelCompresses(bool zipOption, bool formatNamed, const std::string& outputPath) {
  return zipOption || (!formatNamed && outputPath.ends_with(".gz"));
}

FolderSplit folderSplit(const std::string& outputPath, const std::string& namedFormat,
                        const std::string& eachFile,
                        std::optional<unsigned long long> keptFromRoot) {
  std::string extension = scratchExtension(outputPath, namedFormat);
  std::string scratchFile = "\"$dir\"/m\"$i\"" + extension;
  auto [before, after] = splitOutputNames(outputPath);
  std::string numbered = quotedPath(before) + "\"$i\"" + (after.empty() ? "" : quotedPath(after));
  // Read from standard input, gzip takes no file name for an option and stores none.
  return {kScratchFolder, " -O /dev/fd/4/m" + extension, " 4< \"$dir\"",
          scratchRoomCheck("\"$dir\"", keptFromRoot) + " && i=1 && while [ -e " + scratchFile +
              " ]; do " + eachFile + " < " + scratchFile + " > " + numbered +
              " || exit; i=$((i + 1)); done" + kCountCheck};
}

}  // namespace molbench
