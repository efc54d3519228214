// Where the other Open Babel programs are: the user stores only the path of obabel, and every
// sibling program (obtautomer, obrotate, obprop, …) is taken from the same folder.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The folder part of the stored obabel path (read as URL text) followed by the program's name;
// nothing when the stored text is empty or is no URL text (a blank, "Need obabel Path", a
// quote, a character outside ASCII, a stray "%"), or when it holds "?", "#", ";" or a colon
// before its first "/", which would make it a query, fragment or scheme rather than a path.
std::optional<std::string> obtoolPath(const std::string& obabelPath, const std::string& program);

}  // namespace molbench
