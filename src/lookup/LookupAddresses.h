// The addresses the lookup pane asks the services for. Every piece of text the user typed
// arrives here already percent-encoded (escapedString), so it stays one path segment.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// A PDB entry's place in the image store: the identifier less its first and last character
// (the middle two of a four-character identifier), "/", the identifier, "/", the identifier,
// all lower-cased: "1ABC" gives "ab/1abc/1abc". Nothing when the encoded identifier is
// shorter than two characters.
std::optional<std::string> pdbEntryPath(const std::string& escapedIdentifier);

// The UniChem results page for an encoded InChIKey on the UniChem host.
std::string uniChemAddress(const std::string& unichemHost, const std::string& escapedInchi);

// Whether the text can be requested: "http://" or "https://", a host, and no blank or
// control character anywhere.
bool formsAddress(const std::string& text);

}  // namespace molbench
