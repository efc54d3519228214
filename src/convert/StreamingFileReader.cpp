#include "convert/StreamingFileReader.h"

#include <string.h>

#include <cstdint>
#include <cstring>

#include "platform/Utf8.h"

namespace molbench {

namespace {

std::size_t whitespaceLengthAt(const std::string& text, std::size_t i) {
  return platform::blankLength(text, i, true);
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

void assignDecoded(std::string& line, std::string_view bytes) {
  if (platform::isAscii(bytes) || platform::isValidUtf8(bytes))
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
