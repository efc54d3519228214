// Quoting for command texts, so that a path or a typed value reaches the program as exactly
// the argument the user meant, whatever characters it holds.
#pragma once

#include <string>

namespace molbench {

// A path inside single quotes, each ' written as '\''. The empty path gives ''.
std::string quotedPath(const std::string& path);

// A path as a check of our own hands it to obabel: quoted as above, with "./" before a relative
// name that begins with "-", which obabel would otherwise read as one of its options (and then
// read no file at all).
std::string pathArgument(const std::string& path);

// A typed value as one shell word: unchanged when it holds only A-Z a-z 0-9 _ @ % + = : , . / -
// (the empty text stays empty, meaning "not given"), else single-quoted as above.
std::string shellWord(const std::string& value);

// A program path as the head of a command (obabel's stored path, a sibling program): one shell
// word, except that a leading "~/" stays outside the quotes so the shell still expands it. A
// plain path reads as it is.
std::string programWord(const std::string& programPath);

// A value that follows an option as its argument: a shellWord, but the empty text becomes ''
// so the option never swallows the next word of the command.
std::string optionValue(const std::string& value);

// The inside of a double-quoted piece: \ " $ and ` escaped with a backslash.
std::string doubleQuotedContent(const std::string& value);

// A field meant as several words: split at blanks and tabs, each word made a shellWord,
// joined by one blank.
std::string shellWords(const std::string& value);

}  // namespace molbench
