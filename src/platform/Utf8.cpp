#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>

namespace molbench::platform {

namespace {

// Length of the well-formed sequence starting at bytes[i], or 0 when it is ill-formed.
size_t sequenceLength(std::string_view bytes, size_t i) {
  auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  unsigned char lead = at(i);
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  if (at(i + 1) < low || at(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  return length;
}

}  // namespace

bool isAscii(std::string_view bytes) {
  std::size_t i = 0;
  std::uint64_t highBits = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    highBits |= word;
  }
  for (; i < bytes.size(); ++i) highBits |= static_cast<unsigned char>(bytes[i]);
  return (highBits & 0x8080808080808080ULL) == 0;
}

std::size_t blankLength(std::string_view text, std::size_t i, bool lineBreaks) {
  auto byte = [&](std::size_t k) {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : 0;
  };
  unsigned char c = byte(i);
  if (c == ' ' || c == '\t') return 1;
  if (c >= '\n' && c <= '\r') return lineBreaks ? 1 : 0;
  if (c == 0xC2) return (byte(i + 1) == 0xA0 || (lineBreaks && byte(i + 1) == 0x85)) ? 2 : 0;
  if (c == 0xE1) return (byte(i + 1) == 0x9A && byte(i + 2) == 0x80) ? 3 : 0;  // U+1680
  if (c == 0xE2 && byte(i + 1) == 0x80) {
    unsigned char d = byte(i + 2);
    if ((d >= 0x80 && d <= 0x8A) || d == 0xAF) return 3;      // U+2000..U+200A, U+202F
    return (lineBreaks && (d == 0xA8 || d == 0xA9)) ? 3 : 0;  // U+2028, U+2029
  }
  if (c == 0xE2) return (byte(i + 1) == 0x81 && byte(i + 2) == 0x9F) ? 3 : 0;  // U+205F
  if (c == 0xE3) return (byte(i + 1) == 0x80 && byte(i + 2) == 0x80) ? 3 : 0;  // U+3000
  return 0;
}

bool isValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    // Runs of ASCII are the common case: skip them eight bytes at a time.
    if (i + 8 <= bytes.size() && isAscii(bytes.substr(i, 8))) {
      i += 8;
      continue;
    }
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    size_t length = sequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string decodeUtf8Lossy(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    size_t length = sequenceLength(bytes, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(bytes.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace molbench::platform
