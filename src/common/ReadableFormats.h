// The codes of the formats Open Babel 3.1.1 reads, as "obabel -L formats" lists them (every row
// not marked [Write-only]), of those it only writes, and of those it only reads.
#pragma once

#include <string_view>
#include <vector>

namespace molbench {

const std::vector<std::string_view>& readableFormatCodes();
const std::vector<std::string_view>& writeOnlyFormatCodes();
const std::vector<std::string_view>& readOnlyFormatCodes();

}  // namespace molbench
