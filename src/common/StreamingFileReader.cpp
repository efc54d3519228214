#include "common/StreamingFileReader.h"

#include <algorithm>
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
  auto end = lineEnd();
  if (!end) return false;
  bool ended = *end < buffer_.size();
  assignDecoded(line, std::string_view(buffer_).substr(lineStart_, *end - lineStart_));
  passLine(*end);
  if (ended) trimWhitespaceAndNewlines(line);
  return true;
}

std::optional<std::string_view> StreamingFileReader::readRawLine() {
  auto end = lineEnd();
  if (!end) return std::nullopt;
  std::string_view line = std::string_view(buffer_).substr(lineStart_, *end - lineStart_);
  passLine(*end);
  if (line.ends_with('\r')) line.remove_suffix(1);
  // The bytes stay in the buffer until the next call reads a chunk.
  return line;
}

bool StreamingFileReader::skipLine() {
  for (;;) {
    const char* data = buffer_.data();
    auto* end = static_cast<const char*>(
        std::memchr(data + searchedUpTo_, delimiter, buffer_.size() - searchedUpTo_));
    if (end) {
      passLine(static_cast<std::size_t>(end - data));
      return true;
    }
    // What the buffer holds of the line is passed over already; the next chunk goes on with it.
    lineStart_ = searchedUpTo_ = buffer_.size();
    if (!readChunk()) return false;
  }
}

std::optional<std::string_view> StreamingFileReader::readLineStartingWith(
    std::span<const std::string_view> prefixes) {
  for (;;) {
    const char* data = buffer_.data();
    const std::size_t size = buffer_.size();
    // Where the first line starting with a prefix begins, and where the chunk cuts one that may;
    // the size of the buffer while there is none. Lines are not walked one by one: each prefix's
    // first byte is looked for, as few lines start with it.
    std::size_t found = size, cut = size;
    for (auto prefix : prefixes) {
      for (std::size_t from = lineStart_; from < std::min(found, cut);) {
        auto* hit = static_cast<const char*>(
            std::memchr(data + from, prefix.front(), std::min(found, cut) - from));
        if (!hit) break;
        std::size_t at = static_cast<std::size_t>(hit - data);
        from = at + 1;
        if (at > 0 ? data[at - 1] != delimiter : !bufferStartsLine_) continue;
        std::string_view rest(hit, size - at);
        if (rest.starts_with(prefix)) {
          found = at;
        } else if (prefix.starts_with(rest)) {
          cut = at;
        } else {
          continue;
        }
        break;
      }
    }
    if (found < cut) {
      lineStart_ = searchedUpTo_ = found;
      return readRawLine();
    }
    // The lines before the cut hold no such start and are dropped with the next chunk.
    lineStart_ = searchedUpTo_ = cut;
    if (!readChunk()) return std::nullopt;
  }
}

std::optional<std::size_t> StreamingFileReader::lineEnd() {
  for (;;) {
    std::size_t found = buffer_.find(delimiter, searchedUpTo_);
    if (found != std::string::npos) return found;
    searchedUpTo_ = buffer_.size();
    if (!readChunk()) break;
  }
  if (lineStart_ == buffer_.size()) return std::nullopt;
  return buffer_.size();
}

void StreamingFileReader::passLine(std::size_t end) {
  lineStart_ = end < buffer_.size() ? end + 1 : end;
  searchedUpTo_ = lineStart_;
}

bool StreamingFileReader::readChunk() {
  if (!fileHandle_) return false;
  if (lineStart_ > 0) bufferStartsLine_ = buffer_[lineStart_ - 1] == delimiter;
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
