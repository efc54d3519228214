#include "tools/FlatMolecules.h"

#include <charconv>
#include <sstream>
#include <string_view>
#include <vector>

#include "common/CommandFragments.h"
#include "common/Refusal.h"
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

enum class Shape { noAtoms, flat, threeD };

// Each molecule's shape in the xyz text, up to the first text that is no molecule.
std::vector<Shape> moleculeShapes(const std::string& xyzText) {
  std::vector<Shape> shapes;
  std::istringstream lines(xyzText);
  std::string line;
  while (std::getline(lines, line)) {
    auto count = words(line, 2);
    int atoms = 0;
    if (count.size() != 1 || !parsed(count[0], atoms) || atoms < 0) break;
    std::getline(lines, line);  // the title
    bool flat = true;
    for (int i = 0; i < atoms && std::getline(lines, line); ++i)
      if (offThePlane(line)) flat = false;
    shapes.push_back(atoms == 0 ? Shape::noAtoms : flat ? Shape::flat : Shape::threeD);
  }
  return shapes;
}

std::string stretchRun(const std::string& reading, const MoleculeStretch& stretch) {
  std::string run = reading + " -f " + std::to_string(stretch.first);
  if (stretch.last != 0) run += " -l " + std::to_string(stretch.last);
  return run + (stretch.flat ? " -osdf --gen3D" : " -osdf");
}

}  // namespace

std::string atomPositionsCommand(const std::string& head, const std::string& iFileType,
                                 const std::string& inputPath) {
  return head + " " + iFileType + " " + pathArgument(inputPath) + " -oxyz 2>/dev/null";
}

CoordinatesToMake coordinatesToMake(const std::string& xyzText) {
  std::vector<MoleculeStretch> stretches;
  bool someFlat = false, someThreeD = false;
  auto shapes = moleculeShapes(xyzText);
  for (int number = 1; number <= static_cast<int>(shapes.size()); ++number) {
    Shape shape = shapes[number - 1];
    someFlat = someFlat || shape == Shape::flat;
    someThreeD = someThreeD || shape == Shape::threeD;
    if (shape == Shape::noAtoms) continue;
    bool flat = shape == Shape::flat;
    if (stretches.empty() || stretches.back().flat != flat) {
      if (!stretches.empty()) stretches.back().last = number - 1;
      stretches.push_back({.first = number, .last = 0, .flat = flat});
    }
  }
  if (!someFlat || !someThreeD) return CoordinatesToMake(someFlat);
  // Molecules obabel read before the first with atoms go with the first stretch.
  stretches.front().first = 1;
  return CoordinatesToMake(std::move(stretches));
}

CoordinatesToMake inputCoordinatesToMake(const std::string& head, const std::string& iFileType,
                                         const std::string& inputPath) {
  auto positions = shellReport(atomPositionsCommand(head, iFileType, inputPath)).output;
  return coordinatesToMake(positions.value_or(""));
}

std::optional<CoordinatesToMake> acceptedCoordinatesToMake(platform::Platform& platform,
                                                           const std::string& head,
                                                           const std::string& iFileType,
                                                           const std::string& inputPath) {
  auto coordinates = inputCoordinatesToMake(head, iFileType, inputPath);
  if (coordinates.stretches.size() <= kMostMoleculeStretches) return coordinates;
  acceptedUnless(
      platform,
      "\"" + inputPath + "\" changes " + std::to_string(coordinates.stretches.size() - 1) +
          " times between molecules with 3D coordinates and flat ones (SMILES, 2D). The 3D "
          "molecules keep their own coordinates and only the flat ones get them made, one obabel "
          "run for each stretch, and one command holds at most " +
          std::to_string(kMostMoleculeStretches) +
          " stretches. Put the 3D molecules and the flat ones in two files and run each.",
      kMixedInputAlertTitle);
  return std::nullopt;
}

std::string threeDMoleculesReading(const std::string& head, const std::string& iFileType,
                                   const std::string& inputPath,
                                   const CoordinatesToMake& coordinates) {
  std::string reading = head + " " + iFileType + " " + quotedPath(inputPath);
  if (!coordinates.any) return reading;
  std::string writing = reading + " -osdf --gen3D";
  if (!coordinates.stretches.empty()) {
    // A run that fails stops the rest, so the group fails with it (pipefail).
    writing = "{ ";
    for (const auto& stretch : coordinates.stretches)
      writing += stretchRun(reading, stretch) + (stretch.last != 0 ? " && " : "; }");
  }
  return pipedRuns(writing, head + " -isdf -");
}

}  // namespace molbench
