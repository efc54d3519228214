// The names of the SD data fields that a file uses, read from its data-header lines
// ("> <NAME>" or ">  <NAME>").
#pragma once

#include <string>

namespace molbench {

// The distinct names, sorted by code point, one per line with no line end after the last.
// A file that cannot be read lists nothing.
std::string listSdTags(const std::string& path);

}  // namespace molbench
