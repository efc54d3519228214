#pragma once

#include <string>
#include <string_view>

namespace molbench::platform {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Decodes leniently: every ill-formed sequence becomes U+FFFD.
std::string decodeUtf8Lossy(std::string_view bytes);

// True when every byte is below 0x80; eight bytes at a time, since most files are ASCII.
bool isAscii(std::string_view bytes);

// Length in bytes of the blank that starts at text[i], or 0: a space, a tab or another Unicode
// space separator (category Zs). With `lineBreaks` also line feed to carriage return, U+0085
// and the line and paragraph separators, as "white space and newlines" has them.
std::size_t blankLength(std::string_view text, std::size_t i, bool lineBreaks);

}  // namespace molbench::platform
