// The thermochemistry command: obthermo on one file, with the units switch and three optional
// values, each of which adds its option only when its field holds text.
#pragma once

#include <optional>
#include <string>

namespace molbench {

inline constexpr const char* kKcalUnits = "kcal/mol";
inline constexpr const char* kKjUnits = "kJ/mol";

// obthermo's own spellings of its options.
inline constexpr const char* kSymmetryOption = " --symm ";
inline constexpr const char* kRotorsOption = " --nrot ";
inline constexpr const char* kDerivativeOption = " --dbdt ";

// "" for "kcal/mol", " --kj " for "kJ/mol", nothing for any other title (the caller keeps the
// piece it had).
std::optional<std::string> obthermoUnitsPiece(const std::string& unitsTitle);

// The option followed by the typed value as one argument; "" when the field is empty. A value
// of blanks counts as typed.
std::string obthermoValuePiece(const char* option, const std::string& text);

struct ObthermoPieces {
  std::string head = {};  // the obthermo program as one shell word
  std::string inputPath = {};
  std::string obunits = {};
  std::string symNum = {};
  std::string numRots = {};
  std::string tempDerivative = {};
};

// The program, a blank, the quoted input, the units piece, then a blank before each of the
// three value pieces.
std::string obthermoCommand(const ObthermoPieces& pieces);

}  // namespace molbench
