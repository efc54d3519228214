#include "viewer/molecule.h"

#include <charconv>
#include <utility>

namespace molbench {

molecule::molecule(int64_t molNumber, std::string molName, int64_t tag, std::string filePath)
    : molNumber(molNumber), molName(std::move(molName)), tag(tag), filePath(std::move(filePath)) {}

platform::Row molecule::row() const {
  return {{kMolNumberKey, std::to_string(molNumber)},
          {kMolNameKey, molName},
          {kTagKey, std::to_string(tag)},
          {kFilePathKey, filePath}};
}

std::optional<RowMolecule> moleculeOfRow(const platform::Row& row) {
  auto ordinal = ordinalOfRow(row);
  auto path = row.find(kFilePathKey);
  if (!ordinal || path == row.end() || path->second.empty()) return std::nullopt;
  return RowMolecule{*ordinal, path->second};
}

std::optional<int64_t> ordinalOfRow(const platform::Row& row) {
  auto number = row.find(kMolNumberKey);
  if (number == row.end()) return std::nullopt;
  const std::string& text = number->second;
  int64_t ordinal = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ordinal);
  if (error != std::errc() || end != text.data() + text.size() || ordinal < 1) return std::nullopt;
  return ordinal;
}

}  // namespace molbench
