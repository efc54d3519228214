// File URLs as the panes use them: a file-system path plus the directory flag, with the path
// operations the choosers and page writers need and the percent-encoded text form.
#pragma once

#include <optional>
#include <string>

namespace molbench::platform {

class FileUrl {
 public:
  // An absolute or relative path; a trailing "/" (except the root's) is dropped.
  static FileUrl fromPath(const std::string& path, bool isDirectory = false);
  // Parses "file://" text; nothing when it is not a file URL.
  static std::optional<FileUrl> fromString(const std::string& text);

  const std::string& path() const { return path_; }
  bool isDirectory() const { return isDirectory_; }
  // "file://" and the percent-encoded path, with a final "/" for a directory.
  std::string absoluteString() const;

  std::string lastPathComponent() const;
  // The text after the last "." of the last component; "" when there is none.
  std::string pathExtension() const;
  FileUrl deletingLastPathComponent() const;
  FileUrl deletingPathExtension() const;
  // Appends a component; the result is a directory URL when that path is a folder on disk.
  FileUrl appendingPathComponent(const std::string& component) const;

 private:
  std::string path_;
  bool isDirectory_ = false;
};

// The path less any trailing "/" (the root stays "/").
std::string withoutTrailingSlash(std::string path);
// True when the path names an existing folder (or a link to one).
bool isFolder(const std::string& path);

// Percent-encodes every byte outside the characters a URL path may hold.
std::string percentEncodePath(const std::string& path);
std::string percentDecode(const std::string& text);

}  // namespace molbench::platform
