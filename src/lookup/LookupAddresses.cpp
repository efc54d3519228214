#include "lookup/LookupAddresses.h"

#include <algorithm>

namespace molbench {

namespace {

std::string asciiLowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
  return text;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::optional<std::string> pdbEntryPath(const std::string& escapedIdentifier) {
  if (escapedIdentifier.size() < 2) return std::nullopt;
  std::string directory = escapedIdentifier.substr(1, escapedIdentifier.size() - 2);
  return asciiLowerCase(directory + "/" + escapedIdentifier + "/" + escapedIdentifier);
}

std::string uniChemAddress(const std::string& unichemHost, const std::string& escapedInchi) {
  return unichemHost + "/unichem/frontpage/results?queryText=" + escapedInchi +
         "&kind=InChIKey&sources=&incl=exclude";
}

bool formsAddress(const std::string& text) {
  size_t hostStart = 0;
  if (startsWith(text, "https://")) {
    hostStart = 8;
  } else if (startsWith(text, "http://")) {
    hostStart = 7;
  } else {
    return false;
  }
  if (hostStart >= text.size() || text[hostStart] == '/') return false;
  return std::none_of(text.begin(), text.end(),
                      [](unsigned char c) { return c <= ' ' || c == 0x7F; });
}

}  // namespace molbench
