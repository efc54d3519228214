// The codes of the formats Open Babel 3.1.1 reads, as "obabel -L formats" lists them (every row
// not marked [Write-only]), and of those it only writes.
#pragma once

#include <string_view>
#include <vector>

namespace molbench {

const std::vector<std::string_view>& readableFormatCodes();
const std::vector<std::string_view>& writeOnlyFormatCodes();

}  // namespace molbench
