#include "convert/CopiedInput.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "common/ShellQuote.h"

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

// Whether every carriage return in `block` ends a line, but one that ends the block itself.
bool returnsEndLines(const char* block, size_t n) {
  for (const char* at = block;
       (at = static_cast<const char*>(std::memchr(at, '\r', block + n - at))); ++at)
    if (at + 1 < block + n && at[1] != '\n') return false;
  return true;
}

}  // namespace

CopyReading copyReading(const std::string& path, CopiedRecords records) {
  // obabel reads a gzip-compressed file as its uncompressed text, and copies records from that
  // text: zlib reads both kinds of file the same way.
  std::unique_ptr<gzFile_s, int (*)(gzFile)> in(gzopen(path.c_str(), "rb"), gzclose);
  if (!in) return CopyReading::kNone;
  std::vector<char> block(1 << 20);
  gzbuffer(in.get(), 1 << 17);
  std::string tail = "\n";
  bool first = true;
  bool models = false;
  bool returns = false;  // a carriage return seen
  bool returned = false;
  for (int n; (n = gzread(in.get(), block.data(), static_cast<unsigned>(block.size()))) != 0;) {
    // Damaged compressed data: what obabel would make of it is unknown.
    if (n < 0) return CopyReading::kNone;
    first = false;
    // A carriage return that ended the block before must end a line.
    if (returned && block[0] != '\n') return CopyReading::kNone;
    returned = false;
    if (std::memchr(block.data(), '\r', static_cast<size_t>(n))) {
      if (records == CopiedRecords::kPdbModels ||
          !returnsEndLines(block.data(), static_cast<size_t>(n)))
        return CopyReading::kNone;
      returns = true;
      returned = block[static_cast<size_t>(n) - 1] == '\r';
    }
    if (records == CopiedRecords::kPdbModels && !models)
      models = modelLine(tail, block.data(), static_cast<size_t>(n));
    tail.append(block.data(), static_cast<size_t>(n));
    if (tail.size() > 4096) tail.erase(0, tail.size() - 4096);
  }
  // A carriage return that ends the file ends its last line, as one before a line feed does.
  if (first) return CopyReading::kNone;
  bool ended = tail.back() == '\n';
  if (records == CopiedRecords::kPdbModels)
    return ended && models && trimmedEnd(lastFilledLine(tail)) == "END" ? CopyReading::kAsItIs
                                                                        : CopyReading::kNone;
  bool whole =
      ended && !returns && (records != CopiedRecords::kMdl || lastFilledLine(tail) == "$$$$");
  return whole ? CopyReading::kAsItIs : CopyReading::kNormalised;
}

std::string normalisedText(const std::string& path, CopiedRecords records) {
  // awk ends every line it prints with a line feed. Bytes pass as they are under the C locale.
  std::string lines = "{ sub(/\\r$/, \"\"); print; line = $0 }";
  std::string mdlEnd =
      " /[^ \\t]/ { last = $0 } END { if (last != \"$$$$\") { if (line != \"\") print \"\"; "
      "print \"$$$$\" } }";
  return "gzip -dcf < " + quotedPath(path) + " | LC_ALL=C awk '" + lines +
         (records == CopiedRecords::kMdl ? mdlEnd : "") + "'";
}

}  // namespace molbench
