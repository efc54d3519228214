#include "convert/SdTagListing.h"

#include <set>
#include <string_view>

#include "common/InputGuard.h"
#include "common/StreamingFileReader.h"
#include "platform/Utf8.h"

namespace molbench {

namespace {

// The field names are read as obabel reads an SD file, so they are the names its --filter and
// --append know. A record is three header lines, a connection table up to "M  END" (a "$$$$"
// before it ends a record that has no data block), then the data block up to "$$$$". In that
// block a line holding "<" is a header whatever stands before it ("> 25 <MP>", "> DT12 <dt>"),
// and its value runs to the next blank line, however many lines and whatever they hold.
constexpr std::string_view kTableEnds[] = {"M  END", "$$$$"};
constexpr std::string_view kRecordEnds[] = {"$$$$", "$MOL"};

bool startsWithAny(std::string_view line, std::span<const std::string_view> prefixes) {
  for (auto prefix : prefixes)
    if (line.starts_with(prefix)) return true;
  return false;
}

// obabel trims a value line of these before it decides that the line ends the value.
bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r\n") == line.npos; }

// The text after the header's first "<", up to its last ">": a registry number after the name,
// as in ">  <AMW>  (1)", is not part of it, while a ">" inside the name is. Without a ">" after
// the "<" the name runs to the end of the line.
std::string_view fieldName(std::string_view header, std::size_t open) {
  std::size_t close = header.rfind('>');
  std::size_t length = close != header.npos && close > open ? close - open - 1 : header.npos;
  return header.substr(open + 1, length);
}

void addName(std::set<std::string>& names, std::string_view name) {
  names.insert(platform::isValidUtf8(name) ? std::string(name) : platform::decodeUtf8Lossy(name));
}

// Adds the names of one record's data block; false at the end of the file.
bool addRecordFields(StreamingFileReader& reader, std::set<std::string>& names) {
  for (int headerLine = 0; headerLine < 3; ++headerLine)
    if (!reader.skipLine()) return false;
  auto line = reader.readLineStartingWith(kTableEnds);
  if (!line) return false;
  if (line->starts_with("$$$$")) return true;
  while ((line = reader.readRawLine())) {
    if (std::size_t open = line->find('<'); open != line->npos) {
      addName(names, fieldName(*line, open));
      while ((line = reader.readRawLine()) && !isBlank(*line)) {
      }
      if (!line) return false;
    } else if (startsWithAny(*line, kRecordEnds)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string listSdTags(const std::string& path) {
  std::set<std::string> names;
  StreamingFileReader reader(path);
  while (addRecordFields(reader, names)) {
  }

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
