#include "convert/CompressedSplit.h"

#include <algorithm>

#include "common/FormatFromName.h"
#include "common/OutputGuard.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

// obabel places a split's number by the last "." of the whole path (by the last ".gz" first),
// so the scratch folder's own name holds no "." at all: mktemp's "tmp.XXXXXXXXXX" would now and
// then begin its random part with "gz", and obabel would number the files out of the loop's
// sight. (A $TMPDIR whose path holds ".gz" would do the same.)
constexpr const char* kScratchFolder =
    "dir=$(mktemp -d --tmpdir splitXXXXXX) && trap 'rm -rf \"$dir\"' EXIT && ";

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

CompressedSplit compressedSplit(const std::string& outputPath, const std::string& namedFormat) {
  std::string extension = scratchExtension(outputPath, namedFormat);
  std::string scratchFile = "\"$dir\"/m\"$i\"" + extension;
  auto [before, after] = splitOutputNames(outputPath);
  std::string numbered = quotedPath(before) + "\"$i\"" + (after.empty() ? "" : quotedPath(after));
  // Read from standard input, gzip takes no file name for an option and stores none.
  return {kScratchFolder, " -O \"$dir\"/m" + extension,
          "i=1 && while [ -e " + scratchFile + " ]; do gzip -n < " + scratchFile + " > " +
              numbered + " || exit; i=$((i + 1)); done"};
}

}  // namespace molbench
