#include "common/FormatFromName.h"

#include <algorithm>
#include <vector>

#include "common/ReadableFormats.h"

namespace molbench {

namespace {

constexpr std::string_view kIndexCode = "fs";

// Measured: of the formats Open Babel 3.1.1 both writes and reads, the only ones it reads a
// written 3D molecule back from with every atom at the origin.
const std::vector<std::string_view> kCoordinatelessCodes = {"can", "inchi", "smi", "smiles"};

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

bool listed(const std::vector<std::string_view>& codes, const std::string& code) {
  return std::any_of(codes.begin(), codes.end(), [&](std::string_view listedCode) {
    return sameIgnoringAsciiCase(listedCode, code);
  });
}

NameFormat lookedUp(std::string code, bool fromExtension, const NameRule& rule) {
  using Kind = NameFormat::Kind;
  Kind kind = Kind::unknown;
  bool blank = code.empty() || code.front() == ' ';
  bool index = sameIgnoringAsciiCase(code, kIndexCode);
  if (blank) {
    if (rule.blankReadsDefault) kind = Kind::readable;
  } else if (index) {
    if (rule.readsIndex) kind = Kind::readable;
  } else if (rule.writesWhatItReads && listed(readOnlyFormatCodes(), code)) {
    kind = Kind::readOnly;
  } else if (listed(readableFormatCodes(), code)) {
    kind = Kind::readable;
  } else if (listed(writeOnlyFormatCodes(), code)) {
    kind = Kind::writeOnly;
  }
  return {kind, std::move(code), fromExtension};
}

}  // namespace

NameRule nameRuleOf(const std::string& program, const std::string& field) {
  if (program == "obabel") return {.blankReadsDefault = true, .readsIndex = true};
  if (program == "obrms" && field == "test") return {.blankReadsDefault = true};
  if (program == "obrotate") return {.writesWhatItReads = true};
  return {};
}

NameFormat formatFromName(const std::string& path, const NameRule& rule) {
  std::string file = path;
  size_t dot = file.rfind('.');
  if (dot != std::string::npos && file.find('/', dot + 1) == std::string::npos) {
    if (file.compare(dot, std::string::npos, ".gz") != 0)
      return lookedUp(file.substr(dot + 1), true, rule);
    file.erase(dot);
    // Under ".gz" Open Babel takes the last "." wherever it stands, even before a "/".
    dot = file.rfind('.');
    if (dot != std::string::npos) return lookedUp(file.substr(dot + 1), true, rule);
  }
  size_t slash = file.rfind('/');
  return lookedUp(slash == std::string::npos ? file : file.substr(slash + 1), false, rule);
}

bool namesIndexFormat(const NameFormat& format) { return isIndexCode(format.code); }

bool isIndexCode(std::string_view code) { return sameIgnoringAsciiCase(code, kIndexCode); }

bool namesCoordinatelessFormat(const NameFormat& format) {
  return format.kind == NameFormat::Kind::readable && isCoordinatelessCode(format.code);
}

bool isCoordinatelessCode(std::string_view code) {
  return listed(kCoordinatelessCodes, std::string(code));
}

}  // namespace molbench
