// The record behind one row of the viewer's table: one molecule of an imported file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Control.h"

namespace molbench {

// The key names by which the array controller, the table's columns and the filter reach the
// fields.
inline constexpr const char* kMolNumberKey = "molNumber";
inline constexpr const char* kMolNameKey = "molName";
inline constexpr const char* kTagKey = "tag";
inline constexpr const char* kFilePathKey = "filePath";

class molecule {
 public:
  molecule(int64_t molNumber, std::string molName, int64_t tag, std::string filePath);

  int64_t molNumber;     // 1-based ordinal in the imported file
  std::string molName;   // the title, or "mol" and the ordinal when the title is empty
  int64_t tag;           // always 0
  std::string filePath;  // the input path, already quoted for the shell

  // The fields by key name, values as text: the row as the array controller holds it.
  platform::Row row() const;
};

// What the depiction and the export read back from a shown row: the ordinal and the quoted
// path. Nothing when the ordinal is not a whole number from 1 up or the path is missing, so a
// row that was tampered with never reaches a command.
struct RowMolecule {
  int64_t molNumber;
  std::string filePath;
};
std::optional<RowMolecule> moleculeOfRow(const platform::Row& row);

// The row's ordinal alone, by the same rule.
std::optional<int64_t> ordinalOfRow(const platform::Row& row);

}  // namespace molbench
