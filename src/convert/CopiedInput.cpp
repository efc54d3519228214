#include "convert/CopiedInput.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
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

// Whether a line in `block` begins with "MODEL"; `before` holds the bytes before it ("\n" at the
// start of the file), for a line start that falls across two blocks.
bool modelLine(const std::string& before, const char* block, size_t n) {
  static constexpr std::string_view kModel = "\nMODEL";
  std::string seam = before.substr(before.size() - std::min(before.size(), kModel.size() - 1)) +
                     std::string(block, std::min(n, kModel.size() - 1));
  return seam.find(kModel) != std::string::npos ||
         std::search(block, block + n, kModel.begin(), kModel.end()) != block + n;
}

std::string trimmedEnd(std::string line) {
  line.erase(line.find_last_not_of(" \t") + 1);
  return line;
}

}  // namespace

bool copiedWhole(const std::string& path, CopiedRecords records) {
  // obabel reads a gzip-compressed file as its uncompressed text, and copies records from that
  // text: zlib reads both kinds of file the same way.
  std::unique_ptr<gzFile_s, int (*)(gzFile)> in(gzopen(path.c_str(), "rb"), gzclose);
  if (!in) return false;
  std::vector<char> block(1 << 20);
  gzbuffer(in.get(), 1 << 17);
  std::string tail = "\n";
  bool first = true;
  bool models = false;
  for (int n; (n = gzread(in.get(), block.data(), static_cast<unsigned>(block.size()))) != 0;) {
    // Damaged compressed data: what obabel would make of it is unknown.
    if (n < 0) return false;
    first = false;
    if (std::memchr(block.data(), '\r', static_cast<size_t>(n))) return false;
    if (records == CopiedRecords::kPdbModels && !models)
      models = modelLine(tail, block.data(), static_cast<size_t>(n));
    tail.append(block.data(), static_cast<size_t>(n));
    if (tail.size() > 4096) tail.erase(0, tail.size() - 4096);
  }
  if (first || tail.back() != '\n') return false;
  if (records == CopiedRecords::kMdl) return lastFilledLine(tail) == "$$$$";
  if (records == CopiedRecords::kPdbModels)
    return models && trimmedEnd(lastFilledLine(tail)) == "END";
  return true;
}

}  // namespace molbench
