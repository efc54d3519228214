#include "platform/FileUrl.h"

#include <filesystem>

namespace molbench::platform {

namespace {

bool isPathCharacter(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '-':
    case '.':
    case '_':
    case '~':
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
    case ':':
    case '@':
    case '/':
      return true;
    default:
      return false;
  }
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool isFolder(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_directory(path, ignored);
}

std::string percentEncodePath(const std::string& path) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  out.reserve(path.size());
  for (unsigned char c : path) {
    if (isPathCharacter(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  return out;
}

std::string percentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%') {
      int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
      int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

FileUrl FileUrl::fromPath(const std::string& path, bool isDirectory) {
  FileUrl url;
  url.isDirectory_ = isDirectory || (path.size() > 1 && path.back() == '/');
  url.path_ = withoutTrailingSlash(path);
  return url;
}

std::optional<FileUrl> FileUrl::fromString(const std::string& text) {
  const std::string scheme = "file://";
  if (text.rfind(scheme, 0) != 0) return std::nullopt;
  std::string rest = text.substr(scheme.size());
  if (rest.rfind("localhost/", 0) == 0) rest = rest.substr(9);
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  bool directory = rest.size() > 1 && rest.back() == '/';
  return fromPath(percentDecode(rest), directory);
}

std::string FileUrl::absoluteString() const {
  std::string text = "file://" + percentEncodePath(path_);
  if (isDirectory_ && path_ != "/") text += '/';
  return text;
}

std::string FileUrl::lastPathComponent() const {
  if (path_ == "/") return "/";
  auto slash = path_.rfind('/');
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

std::string FileUrl::pathExtension() const {
  std::string last = lastPathComponent();
  auto dot = last.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == last.size()) return "";
  return last.substr(dot + 1);
}

FileUrl FileUrl::deletingLastPathComponent() const {
  if (path_ == "/" || path_.empty()) return fromPath(path_.empty() ? ".." : "/", true);
  auto slash = path_.rfind('/');
  if (slash == std::string::npos) return fromPath(".", true);
  if (slash == 0) return fromPath("/", true);
  return fromPath(path_.substr(0, slash), true);
}

FileUrl FileUrl::deletingPathExtension() const {
  std::string extension = pathExtension();
  if (extension.empty()) return *this;
  return fromPath(path_.substr(0, path_.size() - extension.size() - 1), isDirectory_);
}

FileUrl FileUrl::appendingPathComponent(const std::string& component) const {
  std::string joined = path_ == "/" ? "/" + component : path_ + "/" + component;
  return fromPath(joined, isFolder(joined));
}

}  // namespace molbench::platform
