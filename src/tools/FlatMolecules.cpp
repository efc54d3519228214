#include "tools/FlatMolecules.h"

#include <charconv>
#include <sstream>
#include <string_view>
#include <vector>

#include "common/CommandFragments.h"
#include "common/ReportShell.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

// The text's blank-separated words, up to `count` of them.
std::vector<std::string_view> words(std::string_view text, size_t count) {
  std::vector<std::string_view> found;
  size_t at = 0;
  while (found.size() < count) {
    at = text.find_first_not_of(" \t\r", at);
    if (at == std::string_view::npos) break;
    size_t end = text.find_first_of(" \t\r", at);
    if (end == std::string_view::npos) end = text.size();
    found.push_back(text.substr(at, end - at));
    at = end;
  }
  return found;
}

// Parsed without the locale, which a window toolkit may have set to one with decimal commas.
template <class Number>
bool parsed(std::string_view word, Number& value) {
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size();
}

bool offThePlane(std::string_view atomLine) {
  auto fields = words(atomLine, 4);
  double z = 0;
  return fields.size() == 4 && parsed(fields[3], z) && z != 0;
}

}  // namespace

std::string atomPositionsCommand(const std::string& head, const std::string& iFileType,
                                 const std::string& inputPath) {
  return head + " " + iFileType + " " + pathArgument(inputPath) + " -oxyz 2>/dev/null";
}

bool holdsFlatMolecule(const std::string& xyzText) {
  std::istringstream lines(xyzText);
  std::string line;
  while (std::getline(lines, line)) {
    auto count = words(line, 2);
    int atoms = 0;
    if (count.size() != 1 || !parsed(count[0], atoms) || atoms < 0) return false;
    std::getline(lines, line);  // the title
    bool flat = true;
    for (int i = 0; i < atoms && std::getline(lines, line); ++i)
      if (offThePlane(line)) flat = false;
    if (flat && atoms > 0) return true;
  }
  return false;
}

bool inputHoldsFlatMolecule(const std::string& head, const std::string& iFileType,
                            const std::string& inputPath) {
  auto positions = shellReport(atomPositionsCommand(head, iFileType, inputPath)).output;
  return holdsFlatMolecule(positions.value_or(""));
}

std::string threeDMoleculesReading(const std::string& head, const std::string& iFileType,
                                   const std::string& inputPath, bool makeCoordinates) {
  std::string reading = head + " " + iFileType + " " + quotedPath(inputPath);
  return makeCoordinates ? pipedRuns(reading + " -osdf --gen3D", head + " -isdf -") : reading;
}

}  // namespace molbench
