// Stand-in for the sibling-program path until the tools window's helper lands.
#pragma once

#include <optional>
#include <string>

namespace molbench {

inline std::optional<std::string> obtoolPath(const std::string& obabelPath,
                                             const std::string& program) {
  if (obabelPath.empty() || obabelPath.find(' ') != std::string::npos) return std::nullopt;
  auto slash = obabelPath.rfind('/');
  return (slash == std::string::npos ? std::string("./") : obabelPath.substr(0, slash + 1)) +
         program;
}

}  // namespace molbench
