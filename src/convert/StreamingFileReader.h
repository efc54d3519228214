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

  // The next line that holds one of the patterns, handed out as readLine would; the lines
  // before it are skipped without being decoded or trimmed. Every pattern begins with the same
  // byte, an ASCII character, so bytes that are not UTF-8 never hide or fake one.
  bool readLineHolding(std::string& line, std::span<const std::string_view> patterns);

 private:
  // Appends one chunk; false at end of file, on a read error or without a file.
  bool readChunk();
  // Trims and answers true when the line was followed by a line end.
  bool handOut(std::size_t end, std::string& line);
  void takeLine(std::size_t end, std::string& line);

  std::unique_ptr<platform::posix::FileHandle> fileHandle_;
  std::string buffer_;
  // The next line starts here; the bytes before it are handed out already.
  std::size_t lineStart_ = 0;
  // No delimiter stands between lineStart_ and here, so a search resumes from this point.
  std::size_t searchedUpTo_ = 0;
};

}  // namespace molbench
