// Whether obabel's "copy" format writes every record of an input file whole. It copies each
// record by the positions obabel read it between, and Open Babel 3.1.1 loses them where a record
// ends the file unterminated (a SMILES line without its line feed, an MDL molecule without
// "$$$$", a PDB model with nothing after its ENDMDL: nothing is copied) or where lines end in a
// carriage return (records copied from wrong offsets, other molecules). A PDB file without MODEL
// records holds one molecule, which is never copied.
#pragma once

#include <string>

#include "convert/SplitScratch.h"

namespace molbench {

// How the run that selects a split's records reads them for "copy" to write them whole.
enum class CopyReading {
  kNone,        // copy would lose records
  kAsItIs,      // from the input file itself
  kNormalised,  // from the input's text with the line ends and the last record's end mended
};

// kAsItIs for a readable file whose text (uncompressed, for gzip data: obabel copies a compressed
// file's records uncompressed) holds no carriage return and ends in a line feed, and whose last
// line that is not blank ends its last record: "$$$$" for MDL records, "END" for PDB models (of
// which a line must begin with "MODEL"). kNormalised for other MDL and line records whose
// carriage returns all end lines (Windows line ends, or one that ends the file): obabel
// converts each molecule of the normalised text exactly as it converts the original, in every
// format it writes (measured on SD, SMILES, Mol2, InChI and txt files with Windows line ends, no
// last line feed, and, for SD, no last "$$$$" after data fields or after "M  END"). PDB is not
// normalised: obabel titles its molecules by the path of the file it reads.
CopyReading copyReading(const std::string& path, CopiedRecords records);

// A command that writes the input's text normalised on its standard output: uncompressed, each
// line ended by a line feed alone, and an MDL file's last record ended by "$$$$" (after a blank
// line where the record ends in a data field's value, which would otherwise take it in).
std::string normalisedText(const std::string& path, CopiedRecords records);

}  // namespace molbench
