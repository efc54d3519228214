// How the last molecule of a file to index must end. obabel's index search reads each hit by
// seeking to it in the molecule file, best similarity first; once one read has run into the
// end of the file, every later seek fails and the hits still to come are dropped without a
// word (Open Babel 3.1.1: a similarity search for the last molecule of six, as SMILES without a
// closing line feed, writes 1 hit where the file holds 5). A molecule that ends before the end
// of the file leaves the stream readable.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// What closes the last molecule of a file in an indexable format, as its reader needs it.
enum class LastMoleculeEnd {
  anything,  // one molecule a file (mmCIF as obabel reads it)
  lineFeed,  // a line feed after the last text (SMILES, InChI, Mol2, GRO)
  sdRecord,  // a "$$$$" line and its line feed, once the file holds more than one record
  pdbModel,  // an "ENDMDL" line, then a line with text (PDB's closing "END"), once the file
             // holds more than one model: the reader reads past the empty lines that follow
};

// Why the last molecule of the file at this path does not end as `end` needs, in words that
// follow "because"; nothing when it does, or when the file cannot be read (the input check
// speaks for that).
std::optional<std::string> unendedLastMolecule(const std::string& path, LastMoleculeEnd end);

}  // namespace molbench
