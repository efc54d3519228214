// A file opened for reading only, read in chunks. Closing happens when the handle goes.
#pragma once

#include <memory>
#include <string>

namespace molbench::platform::posix {

class FileHandle {
 public:
  // Nothing when the file cannot be opened.
  static std::unique_ptr<FileHandle> forReadingAtPath(const std::string& path);
  ~FileHandle();
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Up to `length` bytes; empty at end of file and after a read error (a folder, say).
  std::string readDataOfLength(size_t length);

 private:
  explicit FileHandle(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace molbench::platform::posix
