#include "tools/FlatMolecules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// Where an atom line of xyz text puts its atom: off the plane z = 0, in it, or at the origin.
enum class Place { origin, plane, space };

Place placeOf(std::string_view atomLine) {
  auto fields = words(atomLine, 4);
  double x = 0, y = 0, z = 0;
  if (fields.size() != 4) return Place::origin;
  if (parsed(fields[3], z) && z != 0) return Place::space;
  bool off = (parsed(fields[1], x) && x != 0) || (parsed(fields[2], y) && y != 0);
  return off ? Place::plane : Place::origin;
}

// Whether a formula names one element alone ("Cl-", "He"): no hydrogens go with the atom.
bool oneElement(std::string_view formula) {
  return std::ranges::count_if(formula, [](char c) { return c >= 'A' && c <= 'Z'; }) == 1;
}

// Whether an atom line of xyz text gives its atom three coordinates that are numbers.
bool hasNumbers(std::string_view atomLine) {
  auto fields = words(atomLine, 4);
  double value = 0;
  for (size_t i = 1; i < fields.size(); ++i)
    if (!parsed(fields[i], value) || !std::isfinite(value)) return false;
  return fields.size() == 4;
}

// A molecule in xyz text: how many atoms, and where the one furthest out lies.
struct Shape {
  int atoms = 0;
  Place furthest = Place::origin;
  bool bareAtom = false;  // one atom with no hydrogens, by the formula ending its title line
  bool numbers = true;    // every coordinate is a number
  // With every atom in the plane z = 0, as SMILES (at the origin) or a 2D drawing leaves it.
  bool inPlane() const { return atoms > 0 && furthest != Place::space; }
};

// Each molecule's shape in the xyz text, up to the first text that is no molecule.
std::vector<Shape> moleculeShapes(const std::string& xyzText) {
  std::vector<Shape> shapes;
  std::istringstream lines(xyzText);
  std::string line;
  while (std::getline(lines, line)) {
    auto count = words(line, 2);
    Shape shape;
    if (count.size() != 1 || !parsed(count[0], shape.atoms) || shape.atoms < 0) break;
    std::getline(lines, line);  // the title
    std::string_view formula(line);
    formula.remove_prefix(std::min(formula.size(), formula.find_last_of(' ') + 1));
    shape.bareAtom = shape.atoms == 1 && oneElement(formula);
    for (int i = 0; i < shape.atoms && std::getline(lines, line); ++i) {
      shape.furthest = std::max(shape.furthest, placeOf(line));
      shape.numbers = shape.numbers && hasNumbers(line);
    }
    shapes.push_back(shape);
  }
  return shapes;
}

// Whether obabel read each molecule of the SD text it wrote as 3D: the dimension code of the
// line after its title ("3D"; "2D" stands for 2D coordinates and for none).
std::vector<bool> readAsThreeD(const std::string& sdText) {
  std::vector<bool> threeD;
  std::istringstream lines(sdText);
  std::string line;
  for (int inRecord = 0; std::getline(lines, line); ++inRecord) {
    if (inRecord == 1) threeD.push_back(line.size() >= 22 && line.compare(20, 2, "3D") == 0);
    if (line.starts_with("$$$$")) inRecord = -1;
  }
  return threeD;
}

std::string stretchRun(const std::string& reading, const MoleculeStretch& stretch) {
  std::string run = reading + " -f " + std::to_string(stretch.first);
  if (stretch.last != 0) run += " -l " + std::to_string(stretch.last);
  return run + (stretch.flat ? " -osdf --gen3D" : " -osdf");
}

}  // namespace

std::string atomPositionsCommand(const std::string& head, const std::string& iFileType,
                                 const std::string& inputPath) {
  return head + " " + iFileType + " " + pathArgument(inputPath) +
         " -oxyz --append formula 2>/dev/null";
}

CoordinatesToMake coordinatesToMake(const std::string& xyzText) {
  std::vector<MoleculeStretch> stretches;
  bool someFlat = false, someThreeD = false;
  auto shapes = moleculeShapes(xyzText);
  for (int number = 1; number <= static_cast<int>(shapes.size()); ++number) {
    const Shape& shape = shapes[number - 1];
    // An ion is whole wherever it lies, and --gen3D would only move it.
    if (shape.atoms == 0 || shape.bareAtom) continue;
    bool flat = shape.inPlane();
    someFlat = someFlat || flat;
    someThreeD = someThreeD || !flat;
    if (stretches.empty() || stretches.back().flat != flat) {
      if (!stretches.empty()) stretches.back().last = number - 1;
      stretches.push_back({.first = number, .last = 0, .flat = flat});
    }
  }
  if (!someFlat || !someThreeD) return CoordinatesToMake(someFlat);
  // Molecules obabel read before the first with a shape go with the first stretch.
  stretches.front().first = 1;
  return CoordinatesToMake(std::move(stretches));
}

CoordinatesToMake inputCoordinatesToMake(const std::string& head, const std::string& iFileType,
                                         const std::string& inputPath) {
  auto positions = shellReport(atomPositionsCommand(head, iFileType, inputPath)).output;
  return coordinatesToMake(positions.value_or(""));
}

FlatCount flatMoleculesWritten(const std::string& outputXyz, const std::string& inputSd) {
  auto shapes = moleculeShapes(outputXyz);
  auto inputThreeD = readAsThreeD(inputSd);
  bool matched = inputThreeD.size() == shapes.size();
  FlatCount count;
  for (size_t i = 0; i < shapes.size(); ++i) {
    const Shape& shape = shapes[i];
    if (shape.atoms == 0) continue;
    ++count.molecules;
    // One atom has no shape to lose; many at one point are no structure. In the plane z = 0
    // a molecule keeps its 3D coordinates only where obabel read them so from the input.
    bool kept3D = matched && inputThreeD[i];
    if (shape.atoms > 1 &&
        (shape.furthest == Place::origin || (shape.furthest == Place::plane && !kept3D)))
      ++count.flat;
  }
  return count;
}

FlatCount moleculesWrittenFlat(const std::string& head, const std::string& iFileType,
                               const std::string& inputPath, const std::string& outputPath) {
  auto written = shellReport(atomPositionsCommand(head, "", outputPath)).output;
  auto read =
      shellReport(head + " " + iFileType + " " + pathArgument(inputPath) + " -osdf 2>/dev/null")
          .output;
  return flatMoleculesWritten(written.value_or(""), read.value_or(""));
}

NumberlessCount moleculesWithoutNumbers(const std::string& xyzText) {
  NumberlessCount count;
  for (const Shape& shape : moleculeShapes(xyzText)) {
    if (shape.atoms == 0) continue;
    ++count.molecules;
    if (!shape.numbers) ++count.numberless;
  }
  return count;
}

NumberlessCount moleculesWrittenWithoutNumbers(const std::string& head,
                                               const std::string& outputPath) {
  auto written = shellReport(atomPositionsCommand(head, "", outputPath)).output;
  return moleculesWithoutNumbers(written.value_or(""));
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
