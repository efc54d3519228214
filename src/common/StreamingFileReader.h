// Reads a text file one line at a time in small chunks, so a file of any size is listed in
// constant memory: only the current line and the unread rest of the last chunk are held.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/posix/FileHandle.h"

namespace molbench {

class StreamingFileReader {
 public:
  // Large reads: a listing of a file of hundreds of megabytes is bound by the scan, not by
  // system calls.
  static constexpr std::size_t bufferSize = 1 << 16;
  static constexpr char delimiter = '\n';

  // A file that cannot be opened reads as an empty file.
  explicit StreamingFileReader(const std::string& path);

  // The next line without its line end and trimmed of surrounding white space, or nothing at
  // end of file. The last line of a file that does not end in a line end is handed out as it
  // stands. Bytes that are not UTF-8 become U+FFFD, so a damaged line never ends the reading.
  std::optional<std::string> readLine();

  // The same into a caller's string, which keeps its storage from line to line; false at end.
  bool readLine(std::string& line);

  // The next line's bytes as they stand, without its line end (a carriage return before the
  // line feed included), neither decoded nor trimmed; valid until the next call. Nothing at end
  // of file.
  std::optional<std::string_view> readRawLine();

  // Passes over the next line without holding it: a line longer than the buffer is dropped a
  // chunk at a time. False at end of file.
  bool skipLine();

  // Passes over lines up to the next one that starts with one of the prefixes and hands that
  // one out as readRawLine does. The lines passed over are not held.
  std::optional<std::string_view> readLineStartingWith(std::span<const std::string_view> prefixes);

 private:
  // Appends one chunk; false at end of file, on a read error or without a file.
  bool readChunk();
  // Where the line that starts at lineStart_ ends: at its delimiter, or at the end of the file
  // for a last line without one. Nothing at end of file.
  std::optional<std::size_t> lineEnd();
  // Moves past the line that ends at `end`.
  void passLine(std::size_t end);

  std::unique_ptr<platform::posix::FileHandle> fileHandle_;
  std::string buffer_;
  // The next line starts here; the bytes before it are handed out already.
  std::size_t lineStart_ = 0;
  // No delimiter stands between lineStart_ and here, so a search resumes from this point.
  std::size_t searchedUpTo_ = 0;
  // Whether the buffer's first byte begins a line: a long line is dropped a chunk at a time.
  bool bufferStartsLine_ = true;
};

}  // namespace molbench
