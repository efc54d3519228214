#include "convert/SdTagListing.h"

#include <set>
#include <string_view>

#include "common/InputGuard.h"
#include "convert/StreamingFileReader.h"

namespace molbench {

namespace {

void removeAll(std::string& text, std::string_view pattern) {
  std::string kept;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(pattern, from)) != std::string::npos;
       from = at + pattern.size())
    kept.append(text, from, at - from);
  if (from == 0) return;
  kept.append(text, from);
  text = std::move(kept);
}

constexpr std::string_view kHeaderPatterns[] = {"> <", ">  <"};

// A line that holds a header pattern anywhere counts; the name is what is left once every
// occurrence of that pattern and then every ">" is removed.
bool takeTagName(std::string& line) {
  for (std::string_view pattern : kHeaderPatterns) {
    if (line.find(pattern) == std::string::npos) continue;
    removeAll(line, pattern);
    removeAll(line, ">");
    return true;
  }
  return false;
}

}  // namespace

std::string listSdTags(const std::string& path) {
  std::set<std::string> names;
  StreamingFileReader reader(path);
  std::string line;
  // Only lines holding a pattern are decoded; the atom blocks between are passed over.
  while (reader.readLineHolding(line, kHeaderPatterns))
    if (takeTagName(line)) names.insert(line);

  // Names are valid UTF-8, whose byte order is code-point order.
  std::string listing;
  for (const auto& name : names) {
    if (&name != &*names.begin()) listing += '\n';
    listing += name;
  }
  return listing;
}

std::optional<std::string> compressedFileProblem(const std::string& path) {
  if (!isGzipCompressed(path)) return std::nullopt;
  return "The input file \"" + path +
         "\" is compressed (gzip): its data fields can only be listed from an uncompressed SD "
         "file. Convert it to one first.";
}

}  // namespace molbench
