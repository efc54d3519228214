#include "convert/StreamingFileReader.h"

#include <string.h>

#include <cstdint>
#include <cstring>

#include "platform/Utf8.h"

namespace molbench {

namespace {

// Length in bytes of the white-space or line-end character that starts at text[i], or 0:
// tab to carriage return, blank, U+0085, and the Unicode space, line and paragraph separators.
std::size_t whitespaceLengthAt(const std::string& text, std::size_t i) {
  auto byte = [&](std::size_t k) {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : 0;
  };
  unsigned char c = byte(i);
  if (c == ' ' || (c >= '\t' && c <= '\r')) return 1;
  if (c == 0xC2) return (byte(i + 1) == 0x85 || byte(i + 1) == 0xA0) ? 2 : 0;
  if (c == 0xE1) return (byte(i + 1) == 0x9A && byte(i + 2) == 0x80) ? 3 : 0;
  if (c == 0xE2 && byte(i + 1) == 0x80) {
    unsigned char d = byte(i + 2);
    bool spaceOrSeparator = (d >= 0x80 && d <= 0x8A) || d == 0xA8 || d == 0xA9 || d == 0xAF;
    return spaceOrSeparator ? 3 : 0;
  }
  if (c == 0xE2) return (byte(i + 1) == 0x81 && byte(i + 2) == 0x9F) ? 3 : 0;
  if (c == 0xE3) return (byte(i + 1) == 0x80 && byte(i + 2) == 0x80) ? 3 : 0;
  return 0;
}

// Length of the white space that ends the text, or 0. The text is valid UTF-8, so a match at
// its end always starts on a character boundary.
std::size_t trailingWhitespaceLength(const std::string& text) {
  for (std::size_t length = 1; length <= 3 && length <= text.size(); ++length) {
    std::size_t start = text.size() - length;
    if (whitespaceLengthAt(text, start) == length) return length;
  }
  return 0;
}

bool isPlainAsciiEnd(unsigned char c) { return c > ' ' && c < 0x80; }

void trimWhitespaceAndNewlines(std::string& text) {
  // Most lines begin and end in a printable ASCII character: nothing to trim then.
  if (text.empty() || (isPlainAsciiEnd(text.front()) && isPlainAsciiEnd(text.back()))) return;
  std::size_t start = 0;
  while (std::size_t length = whitespaceLengthAt(text, start)) start += length;
  text.erase(0, start);
  while (std::size_t length = trailingWhitespaceLength(text)) text.resize(text.size() - length);
}

// Eight bytes at a time: most SD files are ASCII throughout.
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

void assignDecoded(std::string& line, std::string_view bytes) {
  if (isAscii(bytes) || platform::isValidUtf8(bytes))
    line.assign(bytes);
  else
    line = platform::decodeUtf8Lossy(bytes);
}

}  // namespace

StreamingFileReader::StreamingFileReader(const std::string& path)
    : fileHandle_(platform::posix::FileHandle::forReadingAtPath(path)) {
  buffer_.reserve(bufferSize);
}

std::optional<std::string> StreamingFileReader::readLine() {
  std::string line;
  if (!readLine(line)) return std::nullopt;
  return line;
}

bool StreamingFileReader::readLine(std::string& line) {
  for (;;) {
    std::size_t found = buffer_.find(delimiter, searchedUpTo_);
    if (found != std::string::npos) return handOut(found, line);
    searchedUpTo_ = buffer_.size();
    if (!readChunk()) break;
  }
  if (lineStart_ == buffer_.size()) return false;
  return handOut(buffer_.size(), line);
}

bool StreamingFileReader::handOut(std::size_t end, std::string& line) {
  bool ended = end < buffer_.size();
  takeLine(end, line);
  if (ended) trimWhitespaceAndNewlines(line);
  return true;
}

bool StreamingFileReader::readLineHolding(std::string& line,
                                          std::span<const std::string_view> patterns) {
  const char marker = patterns.front().front();
  std::size_t from = lineStart_;  // the next byte to look at
  bool holds = false;             // the line that starts at lineStart_ holds a pattern
  for (;;) {
    const char* data = buffer_.data();
    std::size_t size = buffer_.size();
    if (holds) {
      auto* end = static_cast<const char*>(std::memchr(data + from, delimiter, size - from));
      if (end) return handOut(static_cast<std::size_t>(end - data), line);
      from = size;
    } else {
      auto* hit = static_cast<const char*>(std::memchr(data + from, marker, size - from));
      std::size_t stop = hit ? static_cast<std::size_t>(hit - data) : size;
      // The lines that end before the marker hold no pattern.
      auto* lastEnd = static_cast<const char*>(::memrchr(data + from, delimiter, stop - from));
      if (lastEnd) lineStart_ = static_cast<std::size_t>(lastEnd - data) + 1;
      from = stop;
      if (hit) {
        std::string_view rest(hit, size - stop);
        bool undecided = false;
        for (auto pattern : patterns) {
          if (rest.starts_with(pattern)) holds = true;
          if (rest.size() < pattern.size() && pattern.starts_with(rest)) undecided = true;
        }
        // Past the marker unless the pattern may go on in the next chunk.
        if (holds || !undecided) {
          ++from;
          continue;
        }
      }
    }
    std::size_t dropped = lineStart_;
    if (!readChunk()) break;
    from -= dropped;
  }
  searchedUpTo_ = buffer_.size();
  if (holds) return handOut(buffer_.size(), line);
  lineStart_ = searchedUpTo_;
  return false;
}

void StreamingFileReader::takeLine(std::size_t end, std::string& line) {
  assignDecoded(line, std::string_view(buffer_).substr(lineStart_, end - lineStart_));
  lineStart_ = end < buffer_.size() ? end + 1 : end;
  searchedUpTo_ = lineStart_;
}

bool StreamingFileReader::readChunk() {
  if (!fileHandle_) return false;
  // Drop what was handed out, so the buffer holds only the line being read.
  buffer_.erase(0, lineStart_);
  searchedUpTo_ -= lineStart_;
  lineStart_ = 0;
  std::string chunk = fileHandle_->readDataOfLength(bufferSize);
  if (chunk.empty()) return false;
  buffer_ += chunk;
  return true;
}

}  // namespace molbench
