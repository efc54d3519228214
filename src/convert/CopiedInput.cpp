#include "convert/CopiedInput.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace molbench {

namespace {

bool blank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

// The last line of `tail` that is not blank.
std::string lastFilledLine(const std::string& tail) {
  std::string last, line;
  for (char c : tail + '\n') {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (!blank(line)) last = line;
    line.clear();
  }
  return last;
}

}  // namespace

bool copiedWhole(const std::string& path, bool mdlRecords) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<char> block(1 << 20);
  std::string tail;
  bool first = true;
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    size_t n = static_cast<size_t>(in.gcount());
    // gzip's magic: obabel reads such a file uncompressed, which this scan does not see.
    if (first && n >= 2 && block[0] == '\x1f' && block[1] == '\x8b') return false;
    first = false;
    if (std::memchr(block.data(), '\r', n)) return false;
    tail.append(block.data(), n);
    if (tail.size() > 4096) tail.erase(0, tail.size() - 4096);
  }
  if (tail.empty() || tail.back() != '\n') return false;
  return !mdlRecords || lastFilledLine(tail) == "$$$$";
}

}  // namespace molbench
