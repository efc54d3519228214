// Whether obabel's "copy" format writes every record of an input file whole. It copies each
// record by the positions obabel read it between, and Open Babel 3.1.1 loses them where a record
// ends the file unterminated (a SMILES line without its line feed, an MDL molecule without
// "$$$$": nothing is copied) or where lines end in a carriage return (records copied from wrong
// offsets, other molecules).
#pragma once

#include <string>

namespace molbench {

// True for a readable, uncompressed file that holds no carriage return and ends in a line feed,
// and, for MDL records (`mdlRecords`), whose last line that is not blank is "$$$$".
bool copiedWhole(const std::string& path, bool mdlRecords);

}  // namespace molbench
