#include "tools/ProbeValues.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace molbench {

std::optional<std::string> probeTypeProblem(const std::string& atomType) {
  static const std::regex typeNumber("[1-9][0-9]?");
  if (std::regex_match(atomType, typeNumber)) return std::nullopt;
  return "The atom type \"" + atomType +
         "\" is no MMFF94 atom type: type its number (1 to 99) into the atom type field, as the "
         "list beside it gives them (7 for a carbonyl oxygen). obprobe would write a grid for "
         "no probe. Nothing was run.";
}

std::optional<std::string> probeChargeProblem(const std::string& charge) {
  static const std::regex decimal(R"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?)");
  if (std::regex_match(charge, decimal) && std::isfinite(std::strtod(charge.c_str(), nullptr)))
    return std::nullopt;
  return "The partial charge \"" + charge +
         "\" is no number: type the probe's charge as a decimal number into the partial charge "
         "field, as the list beside it gives them (-0.57 for a carbonyl oxygen). obprobe would "
         "read it as 0 or cut it short. Nothing was run.";
}

std::string probeGridPath(const std::string& inputPath, const std::string& atomType,
                          const std::string& charge) {
  size_t dot = inputPath.rfind('.');
  std::string base = dot == std::string::npos ? inputPath : inputPath.substr(0, dot);
  char value[64];
  std::snprintf(value, sizeof value, "%f", std::strtod(charge.c_str(), nullptr));
  return base + "_" + atomType + "_" + value + ".cube";
}

std::optional<std::string> probeGridProblem(const std::string& gridPath) {
  size_t slash = gridPath.rfind('/');
  std::string folder =
      slash == std::string::npos ? "." : gridPath.substr(0, slash == 0 ? 1 : slash);
  bool there = ::access(gridPath.c_str(), F_OK) == 0;
  if (::access(there ? gridPath.c_str() : folder.c_str(), W_OK) == 0) return std::nullopt;
  std::string why = std::strerror(errno);
  return "obprobe writes its grid beside the input, as \"" + gridPath + "\", and " +
         (there ? "that file is there and cannot be written" : "its folder takes no new file") +
         " (" + why +
         "). Copy the input into a folder you can write in, and run the probe on that copy. "
         "Nothing was run.";
}

}  // namespace molbench
