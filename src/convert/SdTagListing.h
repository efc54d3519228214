// The names of the SD data fields that a file uses, read from the data-header lines of its
// records (">  <NAME>", ">  <NAME>  (1)", "> 25 <NAME>") as obabel reads them.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The distinct names, sorted by code point, one per line with no line end after the last.
// A file that cannot be read lists nothing.
std::string listSdTags(const std::string& path);

// Why a readable file cannot be listed, or nothing: a gzip-compressed file holds no readable
// header lines, and an empty listing would say, wrongly, that it has no data fields.
std::optional<std::string> compressedFileProblem(const std::string& path);

}  // namespace molbench
