// How obabel and the programs beside it learn an input file's format when none is given
// (no "-i"): from the file's name alone. When the name gives none, obabel 3.1.1 says "Cannot
// read input format", reads nothing and exits 0, and it has emptied its -O output by then; a
// sibling program fails after the shell's "> FILE" has emptied its output.
#pragma once

#include <string>

namespace molbench {

// What a name gives. `code` is the text obabel looks up as a format code: the extension (the
// one under a closing ".gz"), or the bare file name when there is no extension.
struct NameFormat {
  enum class Kind {
    readable,   // a format obabel reads
    writeOnly,  // a format obabel only writes ("svg"): it reads nothing from such a file
    unknown,    // no format at all
  };
  Kind kind;
  std::string code;
  bool fromExtension;  // false when the bare file name was looked up
};

// The rule of Open Babel 3.1.1's OBConversion::FormatFromExt: the text after the last "." of
// the path, unless a "/" follows that "."; for a path ending in ".gz" (in lower case), the
// extension before it, or (when there is no further ".") the name under it; with no
// extension, the file name after the last "/". Codes are matched without regard to ASCII
// case. obabel and the programs beside it differ in two ways, so `readByObabel` says which
// reads the file: obabel reads an empty code, or one that begins with a blank ("mols.",
// "mols. x"), in its default format (MDL), where the others find no format; and only obabel
// reads a fast-search index (".fs").
NameFormat formatFromName(const std::string& path, bool readByObabel);

}  // namespace molbench
