// What obprobe is given for its probe atom, checked before it runs: it takes any text for the
// atom type and the charge and writes a grid for it, named after them ("b__0.000000.cube" for
// none), next to its input.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// Why the atom type is no MMFF94 type number (1 to 99), naming the field; nothing when it is
// one. obprobe looks the type up by its number, so other text types no probe.
std::optional<std::string> probeTypeProblem(const std::string& atomType);

// Why the partial charge is no decimal number, naming the field; nothing when it is one.
// obprobe reads as much of it as is a number (none: 0).
std::optional<std::string> probeChargeProblem(const std::string& charge);

// The grid file obprobe writes for the input: the input's path up to its last ".", the type and
// the charge with six decimals, and ".cube".
std::string probeGridPath(const std::string& inputPath, const std::string& atomType,
                          const std::string& charge);

// Why that file cannot be written (its folder takes no new file, or it is there and read-only),
// or nothing. obprobe then says only that it "cannot read input file!".
std::optional<std::string> probeGridProblem(const std::string& gridPath);

inline constexpr const char* kProbeValueTitle = "Mend the probe";
inline constexpr const char* kProbeGridTitle = "The grid file cannot be written";

}  // namespace molbench
