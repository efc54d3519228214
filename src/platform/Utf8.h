#pragma once

#include <string>
#include <string_view>

namespace molbench::platform {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Decodes leniently: every ill-formed sequence becomes U+FFFD.
std::string decodeUtf8Lossy(std::string_view bytes);

}  // namespace molbench::platform
