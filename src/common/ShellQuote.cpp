#include "common/ShellQuote.h"

namespace molbench {

namespace {

bool isPlainCharacter(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '_':
    case '@':
    case '%':
    case '+':
    case '=':
    case ':':
    case ',':
    case '.':
    case '/':
    case '-':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string quotedPath(const std::string& path) {
  std::string out = "'";
  for (char c : path) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  out += '\'';
  return out;
}

std::string pathArgument(const std::string& path) {
  return quotedPath(path.starts_with('-') ? "./" + path : path);
}

std::string shellWord(const std::string& value) {
  for (char c : value)
    if (!isPlainCharacter(c)) return quotedPath(value);
  return value;
}

std::string optionValue(const std::string& value) {
  return value.empty() ? std::string("''") : shellWord(value);
}

std::string doubleQuotedContent(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\\' || c == '"' || c == '$' || c == '`') out += '\\';
    out += c;
  }
  return out;
}

std::string shellWords(const std::string& value) {
  std::string out, word;
  auto flush = [&] {
    if (word.empty()) return;
    if (!out.empty()) out += ' ';
    out += shellWord(word);
    word.clear();
  };
  for (char c : value) {
    if (c == ' ' || c == '\t')
      flush();
    else
      word += c;
  }
  flush();
  return out;
}

std::string programWord(const std::string& programPath) {
  if (programPath.rfind("~/", 0) == 0) return "~/" + shellWord(programPath.substr(2));
  return shellWord(programPath);
}

}  // namespace molbench
