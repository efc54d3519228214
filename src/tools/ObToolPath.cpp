#include "tools/ObToolPath.h"

#include <cctype>
#include <string_view>

namespace molbench {

namespace {

bool isUrlCharacter(unsigned char c) {
  if (std::isalnum(c)) return true;
  return std::string_view("-_.!~*'();/?:@&=+$,[]").find(static_cast<char>(c)) !=
         std::string_view::npos;
}

bool isUrlText(const std::string& text) {
  if (text.empty()) return false;
  int numberSigns = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c == '#') {
      if (++numberSigns > 1) return false;
    } else if (c == '%') {
      if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
          !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
        return false;
    } else if (c >= 0x80 || !isUrlCharacter(c)) {
      return false;
    }
  }
  return true;
}

// Query, fragment, parameters or a scheme: such text names no plain program path.
bool isPlainPath(const std::string& text) {
  if (text.find_first_of("?#;") != std::string::npos) return false;
  auto colon = text.find(':');
  return colon == std::string::npos || text.find('/') < colon;
}

}  // namespace

std::optional<std::string> obtoolPath(const std::string& obabelPath, const std::string& program) {
  if (!isUrlText(obabelPath) || !isPlainPath(obabelPath)) return std::nullopt;
  std::string path = obabelPath;
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  auto slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  return folder + program;
}

}  // namespace molbench
