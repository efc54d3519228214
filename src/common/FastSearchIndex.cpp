#include "common/FastSearchIndex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/FormatFromName.h"

namespace molbench {

namespace {

// The header, as obabel 3.1.1 writes it: header length, entry count and fingerprint words
// (4 bytes each), the fingerprint's name (15 bytes), a flag for 8-byte file positions, then
// the molecule file's name in 256 bytes padded with NULs. Each entry then has its fingerprint
// and, after all fingerprints, its position in the molecule file.
constexpr size_t kFingerprintNameSize = 15;
constexpr size_t kNameOffset = 28;
constexpr size_t kHeaderSize = kNameOffset + 256;

struct Header {
  uint32_t headerLength = 0, entries = 0, words = 0;
  bool longPositions = false;
  std::string fingerprint, moleculeFile;
};

uint32_t wordAt(const unsigned char* bytes) {
  uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// The NUL-terminated, non-empty text at the start of its slot. A fingerprint's name is
// printable; a file name may hold any byte but NUL, a tab or a line feed included.
std::optional<std::string> textIn(const unsigned char* bytes, size_t size, bool printable) {
  const auto* end = static_cast<const unsigned char*>(std::memchr(bytes, 0, size));
  if (!end || end == bytes) return std::nullopt;
  for (const auto* c = bytes; printable && c < end; ++c)
    if (*c < 0x20 || *c == 0x7f) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(end - bytes));
}

// The header of the index at this path, when the file is one: opened without blocking, and
// only when it is a regular file (a FIFO never stalls the check), with sane fields and exactly
// the size its counts make, so an SD or SMILES file is never taken for an index.
std::optional<Header> indexHeaderOf(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  unsigned char bytes[kHeaderSize];
  bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              ::pread(fd, bytes, kHeaderSize, 0) == static_cast<ssize_t>(kHeaderSize);
  ::close(fd);
  if (!read || bytes[27] > 1) return std::nullopt;
  Header header{wordAt(bytes), wordAt(bytes + 4), wordAt(bytes + 8), bytes[27] == 1, {}, {}};
  auto fingerprint = textIn(bytes + 12, kFingerprintNameSize, true);
  auto moleculeFile = textIn(bytes + kNameOffset, kHeaderSize - kNameOffset, false);
  if (!fingerprint || !moleculeFile) return std::nullopt;
  if (header.headerLength != kHeaderSize - 1 || header.words == 0) return std::nullopt;
  uint64_t entry = uint64_t{header.words} * 4 + (header.longPositions ? 8 : 4);
  if (static_cast<uint64_t>(info.st_size) != kHeaderSize + uint64_t{header.entries} * entry)
    return std::nullopt;
  header.fingerprint = *fingerprint;
  header.moleculeFile = *moleculeFile;
  return header;
}

}  // namespace

bool isFastSearchIndex(const std::string& path) { return indexHeaderOf(path).has_value(); }

std::optional<uint32_t> fastSearchIndexEntries(const std::string& path) {
  auto header = indexHeaderOf(path);
  if (!header) return std::nullopt;
  return header->entries;
}

std::optional<bool> fastSearchIndexHasFingerprintBits(const std::string& path) {
  auto header = indexHeaderOf(path);
  if (!header) return std::nullopt;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // The fingerprints come first, one after the other; a real molecule sets a bit at once.
  uint64_t left = uint64_t{header->entries} * header->words * 4;
  off_t offset = kHeaderSize;
  unsigned char chunk[1 << 16];
  bool found = false, failed = false;
  while (left > 0 && !found && !failed) {
    ssize_t got = ::pread(fd, chunk, std::min<uint64_t>(left, sizeof chunk), offset);
    failed = got <= 0;
    if (failed) break;
    found = std::any_of(chunk, chunk + got, [](unsigned char byte) { return byte != 0; });
    left -= static_cast<uint64_t>(got);
    offset += got;
  }
  ::close(fd);
  if (failed) return std::nullopt;
  return found;
}

std::optional<std::string> indexedMoleculeFile(const std::string& indexPath) {
  auto header = indexHeaderOf(indexPath);
  if (!header) return std::nullopt;
  const std::string& name = header->moleculeFile;
  if (name.front() == '/') return name;
  auto slash = indexPath.rfind('/');
  return slash == std::string::npos ? name : indexPath.substr(0, slash + 1) + name;
}

std::string indexReadAs(const std::string& indexPath) {
  // obabel looks for the last "." anywhere in the path, a folder's name included.
  auto dot = indexPath.rfind('.');
  return dot == std::string::npos ? indexPath : indexPath.substr(0, dot) + ".fs";
}

bool nameReadAsIndex(const std::string& indexPath) {
  return namesIndexFormat(formatFromName(indexPath, nameRuleOf("obabel", "index"))) &&
         indexReadAs(indexPath) == indexPath;
}

}  // namespace molbench
