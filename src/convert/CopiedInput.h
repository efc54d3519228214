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

// True for a readable file whose text (uncompressed, for gzip data: obabel copies a compressed
// file's records uncompressed) holds no carriage return and ends in a line feed, and whose last
// line that is not blank ends its last record: "$$$$" for MDL records, "END" for PDB models (of
// which a line must begin with "MODEL").
bool copiedWhole(const std::string& path, CopiedRecords records);

}  // namespace molbench
