// How obabel and the programs beside it learn an input file's format when none is given
// (no "-i"): from the file's name alone. When the name gives none, obabel 3.1.1 says "Cannot
// read input format", reads nothing and exits 0, and it has emptied its -O output by then; a
// sibling program fails after the shell's "> FILE" has emptied its output.
#pragma once

#include <string>
#include <string_view>

namespace molbench {

// What a name gives. `code` is the text obabel looks up as a format code: the extension (the
// one under a closing ".gz"), or the bare file name when there is no extension.
struct NameFormat {
  enum class Kind {
    readable,   // a format the program reads
    writeOnly,  // a format obabel only writes ("svg"): it reads nothing from such a file
    readOnly,   // a format obabel only reads ("log"), given to a program that must also write it
    unknown,    // no format at all
  };
  Kind kind;
  std::string code;
  bool fromExtension;  // false when the bare file name was looked up
};

// Where the programs differ in turning a name into a format, as measured with each of them.
struct NameRule {
  // An empty code, or one that begins with a blank ("mols.", "mols. x"), reads in the default
  // format (MDL).
  bool blankReadsDefault = false;
  bool readsIndex = false;  // ".fs" names a fast-search index
  // The program writes in the format it reads (obrotate): a format it cannot write gives none.
  bool writesWhatItReads = false;
};

// The rule of the program that reads the file it gets for the field ("input", "test", ...):
// obabel reads blank codes and indexes; obrms reads its test file with obabel's default format
// but its reference file as the other siblings read theirs; obrotate needs a format it can also
// write.
NameRule nameRuleOf(const std::string& program, const std::string& field);

// The rule of Open Babel 3.1.1's OBConversion::FormatFromExt: the text after the last "." of
// the path, unless a "/" follows that "."; for a path ending in ".gz" (in lower case), the
// extension before it, or (when there is no further ".") the name under it; with no
// extension, the file name after the last "/". Codes are matched without regard to ASCII
// case; the rule then says what the reading program makes of the code.
NameFormat formatFromName(const std::string& path, const NameRule& rule);

// Whether the name gives the code of obabel's fast-search index format, "fs" in any case.
bool namesIndexFormat(const NameFormat& format);
bool isIndexCode(std::string_view code);

// Whether the name gives a format that holds no atom positions: obabel writes a 3D molecule into
// SMILES, canonical SMILES or InChI and reads it back with every atom at the origin.
bool namesCoordinatelessFormat(const NameFormat& format);
bool isCoordinatelessCode(std::string_view code);

}  // namespace molbench
