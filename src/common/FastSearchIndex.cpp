#include "common/FastSearchIndex.h"

#include <fstream>

namespace molbench {

namespace {

// The header: header length, entry count and fingerprint words (4 bytes each), the
// fingerprint type (16 bytes), then the molecule file's name in 256 bytes padded with NULs.
constexpr std::streamoff kNameOffset = 28;
constexpr std::streamsize kNameSize = 256;

bool endsWithIndexExtension(const std::string& path) {
  if (path.size() < 3) return false;
  std::string tail = path.substr(path.size() - 3);
  return tail[0] == '.' && (tail[1] == 'f' || tail[1] == 'F') && (tail[2] == 's' || tail[2] == 'S');
}

}  // namespace

std::optional<std::string> indexedMoleculeFile(const std::string& indexPath) {
  if (!endsWithIndexExtension(indexPath)) return std::nullopt;
  std::ifstream in(indexPath, std::ios::binary);
  if (!in.seekg(kNameOffset)) return std::nullopt;
  std::string name(kNameSize, '\0');
  if (!in.read(name.data(), kNameSize)) return std::nullopt;
  name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
  if (name.empty()) return std::nullopt;
  if (name.front() == '/') return name;
  auto slash = indexPath.rfind('/');
  return slash == std::string::npos ? name : indexPath.substr(0, slash + 1) + name;
}

}  // namespace molbench
