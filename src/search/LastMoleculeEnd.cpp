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
constexpr std::string_view kRecordEnd = "$$$$", kModelEnd = "ENDMDL";

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

// How many lines of the file begin with this mark, counted from the start up to `most`: a file
// of several records or models has its first closing line early on; a file of one is read
// through.
int linesStarting(int fd, std::string_view mark, int most) {
  std::vector<char> chunk(kTailSize);
  const std::string lineMark = "\n" + std::string(mark);
  std::string carried = "\n";  // the start of the file counts as the start of a line
  int count = 0;
  for (off_t offset = 0;;) {
    ssize_t got = ::pread(fd, chunk.data(), chunk.size(), offset);
    if (got <= 0) return count;
    std::string text = carried + std::string(chunk.data(), static_cast<size_t>(got));
    for (size_t at = text.find(lineMark); at != std::string::npos; at = text.find(lineMark, at + 1))
      if (++count >= most) return count;
    carried = text.substr(text.size() - std::min(text.size(), mark.size()));
    offset += got;
  }
}

// Whether a line "END" (PDB's closing record, blanks after it allowed) follows `from`.
bool endLineAfter(const std::string& text, size_t from) {
  for (size_t at = text.find("\nEND", from); at != std::string::npos;
       at = text.find("\nEND", at + 1)) {
    size_t lineEnd = std::min(text.find('\n', at + 1), text.size());
    if (text.find_first_not_of(" \t\r", at + 4) >= lineEnd) return true;
  }
  return false;
}

// PDB's reader ends a model at its "ENDMDL" line and then reads on over empty lines; with
// nothing else after them it reads to the end of the file (Open Babel 3.1.1: a similarity
// search through the index of six models, the last with no "END" line after it, writes 1 hit
// where the file holds 4). Text after the last "ENDMDL" line that holds atoms is a last model
// that no "ENDMDL" line closes.
std::optional<std::string> unendedLastModel(int fd, const std::string& tail, bool wholeFile) {
  int models = linesStarting(fd, kModelEnd, 2);
  if (models == 0) return std::nullopt;  // the file is read as one molecule
  std::string text = (wholeFile ? "\n" : "") + tail;
  size_t mark = text.rfind("\n" + std::string(kModelEnd));
  size_t lineEnd = mark == std::string::npos ? mark : text.find('\n', mark + 1);
  std::string after = mark == std::string::npos      ? text
                      : lineEnd == std::string::npos ? ""
                                                     : text.substr(lineEnd);
  size_t atom = after.rfind("\nATOM"), hetatm = after.rfind("\nHETATM");
  size_t lastAtom = atom == std::string::npos     ? hetatm
                    : hetatm == std::string::npos ? atom
                                                  : std::max(atom, hetatm);
  if (lastAtom != std::string::npos)
    return std::string("its last model runs to the end of the file, with no \"ENDMDL\" ") +
           (endLineAfter(after, lastAtom) ? "line to close it" : "and \"END\" lines to close it");
  if (mark != std::string::npos && models > 1 && after.find_first_not_of('\n') == std::string::npos)
    return "its last model runs to the end of the file, with no \"END\" line after its "
           "\"ENDMDL\"";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> unendedLastMolecule(const std::string& path, LastMoleculeEnd end) {
  if (end == LastMoleculeEnd::anything) return std::nullopt;
  OpenFile file(path);
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  // One record of an SD file is read alone: no later seek can fail.
  if (end == LastMoleculeEnd::sdRecord && linesStarting(file.fd, kRecordEnd, 1) == 0)
    return std::nullopt;
  size_t size = static_cast<size_t>(info.st_size), tailSize = std::min(size, kTailSize);
  std::string tail(tailSize, '\0');
  if (::pread(file.fd, tail.data(), tailSize, static_cast<off_t>(size - tailSize)) !=
      static_cast<ssize_t>(tailSize))
    return std::nullopt;
  if (end == LastMoleculeEnd::pdbModel) return unendedLastModel(file.fd, tail, tailSize == size);
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
