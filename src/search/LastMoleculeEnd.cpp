#include "search/LastMoleculeEnd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace molbench {

namespace {

constexpr size_t kTailSize = 1 << 16;
constexpr std::string_view kRecordEnd = "$$$$";

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// An open file, closed when it goes. Opened without blocking: a FIFO never stalls the check.
struct OpenFile {
  int fd;
  explicit OpenFile(const std::string& path)
      : fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
  ~OpenFile() {
    if (fd >= 0) ::close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
};

// Whether a line of the file begins with "$$$$": read from the start, where a file of several
// records has its first one. A file of one record is read through.
bool holdsRecordEnd(int fd) {
  std::vector<char> chunk(kTailSize);
  std::string carried = "\n";  // the start of the file counts as the start of a line
  off_t offset = 0;
  for (;;) {
    ssize_t got = ::pread(fd, chunk.data(), chunk.size(), offset);
    if (got <= 0) return false;
    std::string text = carried + std::string(chunk.data(), static_cast<size_t>(got));
    if (text.find("\n" + std::string(kRecordEnd)) != std::string::npos) return true;
    carried = text.substr(text.size() - std::min(text.size(), kRecordEnd.size()));
    offset += got;
  }
}

}  // namespace

std::optional<std::string> unendedLastMolecule(const std::string& path, LastMoleculeEnd end) {
  if (end == LastMoleculeEnd::anything) return std::nullopt;
  OpenFile file(path);
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  // One record of an SD file is read alone: no later seek can fail.
  if (end == LastMoleculeEnd::sdRecord && !holdsRecordEnd(file.fd)) return std::nullopt;
  size_t size = static_cast<size_t>(info.st_size), tailSize = std::min(size, kTailSize);
  std::string tail(tailSize, '\0');
  if (::pread(file.fd, tail.data(), tailSize, static_cast<off_t>(size - tailSize)) !=
      static_cast<ssize_t>(tailSize))
    return std::nullopt;
  size_t last = tail.size();
  while (last > 0 && blank(tail[last - 1])) --last;
  if (last == 0) return std::nullopt;  // nothing but blanks at the end to judge
  if (tail.find('\n', last) == std::string::npos)
    return "its last line ends at the end of the file, with no line feed";
  size_t lineStart = tail.rfind('\n', last - 1);
  lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
  if (end == LastMoleculeEnd::sdRecord && tail.compare(lineStart, kRecordEnd.size(), kRecordEnd))
    return "its last record has no closing \"$$$$\" line";
  return std::nullopt;
}

}  // namespace molbench
